## Every script the toolbox ships, the examples in its help texts and the
## README's code are written in the language both Octave and MATLAB run.

%!function faults = scan (text, kind)
%!  faults = common_subset_faults (text, kind);
%!endfunction

%!test
%! root = fileparts (fileparts (fileparts (which ("run_tests"))));
%! plugins = build_fact ("WS_PLUGINS");
%! files = [strcat(plugins, "/", plugins, ".m"), build_fact("WS_MFILES"), {"winscore_build.m"}];
%! for g = [{"*.m", "demo/*.m", "+winscore/*.m"}, strcat(build_fact ("WS_MFOLDERS"), "/*.m")]
%!   found = glob (fullfile (root, g{1}))';
%!   files = [files, cellfun(@(f) f(numel (root) + 2:end), found, "UniformOutput", false)];
%! end
%! files = unique (files);
%! assert (any (strcmp (files, "tallyplane/tallyplane.m")));
%! assert (any (strcmp (files, "demo/winscore_demo.m")));
%! faults = {};
%! for f = [files, {"README.md"}]
%!   file = fullfile (root, f{1});
%!   if (! exist (file, "file"))
%!     faults{end+1} = sprintf ("%s: missing", f{1});
%!     continue;
%!   end
%!   kind = "m";
%!   if (strcmp (f{1}(end-2:end), ".md"))
%!     kind = "md";
%!   end
%!   faults = [faults, strcat([f{1} ": "], scan (fileread (file), kind))];
%! end
%! if (! isempty (faults))
%!   error ("Octave-only code in shipped files:\n  %s", strjoin (faults, "\n  "));
%! end

## Each construct is caught, and each look-alike of the common subset is not.
%!test
%! bad = {
%!   "if !done, end",                  "! as not"
%!   "if a != b, end",                 "! as not"
%!   "x = 1;  # note",                 "# comment"
%!   "disp (\"hi\")",                  "double-quoted"
%!   "printf ('%d\\n', 3);",           "printf"
%!   "puts ('x');",                    "puts"
%!   "n = rows (m) + columns (m);",    "rows"
%!   "n = rows (m) + columns (m);",    "columns"
%!   "y = ifelse (c, 1, 2);",          "ifelse"
%!   "if a, b = 1; endif",             "endif"
%!   "for k = 1:3, endfor",            "endfor"
%!   "while false, endwhile",          "endwhile"
%!   "endfunction",                    "endfunction"
%!   "end_try_catch",                  "end_try_catch"
%!   "x++;",                           "operator"
%!   "x += 1;",                        "operator"
%!   "y = x ** 2;",                    "operator"
%!   "if a ... end",                   "text after ..."
%!   "q = ...;  % an image",           "text after ..."
%!   "x = 1 + \\",                     "continuation"
%! };
%! for k = 1:rows (bad)
%!   faults = scan (bad{k, 1}, "m");
%!   assert (any (! cellfun (@isempty, strfind (faults, bad{k, 2}))), ...
%!           sprintf ("'%s' should be caught as %s", bad{k, 1}, bad{k, 2}));
%! end
%! good = {"x = a';", "y = [a' b'];", "s = 'it''s ! # printf \"';", "if a ~= b, end", ...
%!         "n = size (m, 1);   % the rows of m, printed with printf", "z = s.rows;", ...
%!         "rows = 3; r = rows + 1;", "x = {a}';", "fprintf ('%d\\n', 3);", ...
%!         "y = x.^2; t = x.';", "v = [1, ...   % continued", "  2];", "b = a <= c & d >= e;"};
%! for k = 1:numel (good)
%!   assert (scan (good{k}, "m"), {}, sprintf ("'%s' is in the common subset", good{k}));
%! end

## Only the examples of a help text are code; its prose may say anything.
%!test
%! help = sprintf (["%%F  Does things with rows and \"quotes\"; printf is prose here.\n" ...
%!                  "%%   Example:\n%%     x = f (1);   %% fine\n%%     printf ('%%d', x)\n" ...
%!                  "%%\n%%   See also G.\n"]);
%! faults = scan (help, "m");
%! assert (numel (faults), 1);
%! assert (faults{1}, "line 4: Octave-only function printf");
%! unparsable = sprintf ("%%F  Help.\n%%   Example:\n%%     if a ... end\n%%\n");
%! faults = scan (unparsable, "m");
%! assert (any (! cellfun (@isempty, strfind (faults, "does not parse"))));

## README code blocks: shell blocks are left alone, the rest is scanned.
%!test
%! md = sprintf (["Text with printf.\n\n    make demo   # the scene\n    make test\n\n" ...
%!                "```sh\necho \"#\"\n```\n\n    x = rows (m);\n\n```matlab\nputs ('a');\n```\n"]);
%! assert (scan (md, "md"), {"line 10: Octave-only function rows", ...
%!                           "line 13: Octave-only function puts"});

## The README's example of reacting to one error runs as written.
%!test
%! root = fileparts (fileparts (fileparts (which ("run_tests"))));
%! text = strrep (fileread (fullfile (root, "README.md")), "\r", "");
%! block = regexp (text, '\n## Errors\n(?:[^\n]*\n)*?((?:    [^\n]*\n)+)', "tokens", "once");
%! assert (! isempty (block));
%! eval (regexprep (block{1}, '(^|\n)    ', "$1"));
%! assert (H(:, end), [1; 1; 1; 1]);
