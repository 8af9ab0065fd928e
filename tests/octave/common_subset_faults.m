function faults = common_subset_faults (text, kind)
  % The places where TEXT leaves the subset of the language that both Octave
  % and MATLAB run, as "line N: what" strings. KIND "m" reads a .m file: its
  % code and the examples in its help text; KIND "md" reads the code blocks of
  % a Markdown file, except shell blocks (fenced as sh, or all `make` lines).
  % Every example must also parse.
  lines = regexp (strrep (text, "\r", ""), "\n", "split");
  if (strcmp (kind, "md"))
    blocks = markdown_blocks (lines);
  else
    blocks = m_blocks (lines);
  end
  faults = {};
  for b = 1:numel (blocks)
    code = blocks(b).code;
    numbers = blocks(b).numbers;
    stripped = cellfun (@strip_line, code, "UniformOutput", false);
    assigned = assigned_names (stripped);
    for k = 1:numel (code)
      for fault = line_faults (code{k}, stripped{k}, assigned)
        faults{end+1} = sprintf ("line %d: %s", numbers(k), fault{1});
      end
    end
    if (blocks(b).example)
      msg = parse_error (code);
      if (! isempty (msg))
        faults{end+1} = sprintf ("line %d: example does not parse: %s", numbers(1), msg);
      end
    end
  end
end

function blocks = m_blocks (lines)
  % The code lines (comments stay: the line scan removes them) and each
  % "Example:" section of the help text, without its leading %.
  blocks = struct ("code", {}, "numbers", {}, "example", {});
  isComment = ! cellfun (@isempty, regexp (lines, '^\s*%', "once"));
  code = find (! isComment);
  blocks(end+1) = struct ("code", {lines(code)}, "numbers", code, "example", false);
  k = 1;
  while (k <= numel (lines))
    head = regexp (lines{k}, '^\s*%(\s*)Examples?:\s*$', "tokens", "once");
    k += 1;
    if (isempty (head))
      continue;
    end
    indent = numel (head{1});
    first = k;
    while (k <= numel (lines) && isComment(k))
      body = regexprep (lines{k}, '^\s*%', "");
      lead = regexp (body, '^\s*', "match", "once");
      if (! isempty (strtrim (body)) && numel (lead) <= indent)
        break;
      end
      k += 1;
    end
    numbers = first:k - 1;
    body = regexprep (lines(numbers), '^\s*%', "");
    keep = ! cellfun (@isempty, strtrim (body));
    blocks(end+1) = struct ("code", {body(keep)}, "numbers", numbers(keep), "example", true);
  end
end

function blocks = markdown_blocks (lines)
  % Fenced blocks, and blocks indented by four spaces after a blank line.
  blocks = struct ("code", {}, "numbers", {}, "example", {});
  k = 1;
  while (k <= numel (lines))
    fence = regexp (lines{k}, '^```\s*(\w*)', "tokens", "once");
    if (! isempty (fence))
      first = k + 1;
      k = first;
      while (k <= numel (lines) && isempty (regexp (lines{k}, '^```', "once")))
        k += 1;
      end
      if (! any (strcmp (fence{1}, {"sh", "bash", "shell", "console", "text"})))
        blocks = add_block (blocks, lines(first:k - 1), first:k - 1);
      end
      k += 1;
    elseif (strncmp (lines{k}, "    ", 4) && (k == 1 || isempty (strtrim (lines{k - 1}))))
      first = k;
      while (k <= numel (lines) && (strncmp (lines{k}, "    ", 4) || isempty (strtrim (lines{k}))))
        k += 1;
      end
      blocks = add_block (blocks, lines(first:k - 1), first:k - 1);
    else
      k += 1;
    end
  end
end

function blocks = add_block (blocks, code, numbers)
  keep = ! cellfun (@isempty, strtrim (code));
  code = code(keep);
  numbers = numbers(keep);
  if (! isempty (code) && ! all (cellfun (@(c) ! isempty (regexp (c, '^\s*make(\s|$)', "once")), code)))
    blocks(end+1) = struct ("code", {code}, "numbers", numbers, "example", true);
  end
end

function out = strip_line (line)
  % The line with each string replaced by '' and comments removed; a
  % quote after a name, a closing bracket, a dot or a quote is a transpose.
  out = "";
  k = 1;
  while (k <= numel (line))
    c = line(k);
    if (c == "'" && (k == 1 || isempty (regexp (line(k - 1), '[\w)\]}.'']', "once"))))
      k += 1;
      while (k <= numel (line) && ! (line(k) == "'" && (k == numel (line) || line(k + 1) != "'")))
        k += 1 + (line(k) == "'");
      end
      out = [out "''"];
    elseif (c == '"')
      k += 1;
      while (k <= numel (line) && line(k) != '"')
        k += 1 + (line(k) == '\');
      end
      out = [out '""'];
    elseif (c == "%" || c == "#")
      out = [out c];
      break;
    elseif (strncmp (line(k:end), "...", 3))
      out = [out line(k:end)];
      break;
    else
      out = [out c];
    end
    k += 1;
  end
end

function names = assigned_names (stripped)
  % Names given a value somewhere in the block: as variables they are no
  % call to the function of the same name.
  names = {};
  for k = 1:numel (stripped)
    lhs = regexp (stripped{k}, '^\s*(\[[^\]]*\]|[A-Za-z]\w*)\s*(\([^)]*\))?\s*=(?!=)', "tokens", "once");
    if (! isempty (lhs))
      names = [names regexp(lhs{1}, '[A-Za-z]\w*', "match")];
    end
  end
end

function faults = line_faults (line, stripped, assigned)
  faults = {};
  if (any (stripped == '"'))
    faults{end+1} = "double-quoted string";
  end
  if (! isempty (stripped) && stripped(end) == "#")
    faults{end+1} = "# comment";
  end
  code = regexprep (stripped, '(%|#)$', "");
  dots = regexp (code, '\.\.\.(.*)$', "tokens", "once");
  if (! isempty (dots))
    code = code(1:end - numel (dots{1}) - 3);
    if (! isempty (regexp (dots{1}, '^\s*[^\s%]', "once")))
      faults{end+1} = "text after ... (a continuation: the rest of the line is ignored)";
    end
  end
  if (any (code == "!"))
    faults{end+1} = "! as not (use ~)";
  end
  if (regexp (code, '\\\s*$', "once"))
    faults{end+1} = "\\ as line continuation";
  end
  if (regexp (code, '\+\+|--|[-+*/^|&]=(?!=)|\*\*', "once"))
    faults{end+1} = "Octave operator (++, --, +=, **, ...)";
  end
  words = regexp (code, '(?<![\w.])[A-Za-z_]\w*', "match");
  keywords = {"endif", "endfor", "endwhile", "endfunction", "endswitch", "end_try_catch", ...
              "end_unwind_protect", "unwind_protect", "unwind_protect_cleanup", "until", "do"};
  octaveOnly = {"printf", "puts", "fputs", "fdisp", "rows", "columns", "ifelse", "merge", ...
                "nthargout", "print_usage", "fflush", "stdout", "stderr", "postpad", ...
                "prepad", "lookup", "is_absolute_filename", "make_absolute_filename", ...
                "confirm_recursive_rmdir", "octave_config_info"};
  % A row to loop over, even when no word was found (Octave 11 gives 0 x 1).
  for w = reshape (unique (words), 1, [])
    if (any (strcmp (w{1}, keywords)))
      faults{end+1} = sprintf ("Octave keyword %s", w{1});
    elseif (any (strcmp (w{1}, octaveOnly)) && ! any (strcmp (w{1}, assigned)))
      faults{end+1} = sprintf ("Octave-only function %s", w{1});
    end
  end
end

function msg = parse_error (code)
  % Octave's parser on the block, which is never run.
  msg = "";
  try
    eval (sprintf ("if (false)\n%s\nend", strjoin (code, "\n")));
  catch err
    msg = err.message;
  end
end
