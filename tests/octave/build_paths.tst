## Every way of building stops, naming the file, when a file it needs is
## missing; none of them drops a plug-in quietly.

%!shared root, bare
%! root = fileparts (fileparts (fileparts (which ("run_tests"))));
%! bare = tempname ();
%! mkdir (bare);
%! mkdir (fullfile (bare, "tools"));
%! mkdir (fullfile (bare, "package"));
%! copyfile (fullfile (root, "winscore_build.m"), bare);
%! copyfile (fullfile (root, "build-facts.mk"), bare);
%! copyfile (fullfile (root, "tools", "make-package.sh"), fullfile (bare, "tools"));
%! copyfile (fullfile (root, "package", "*"), fullfile (bare, "package"));

%!error <tallyplane: not built in .*greedypick: not built in>
%! empty = tempname ();
%! mkdir (empty);
%! unwind_protect
%!   build_script_check (empty, empty);
%! unwind_protect_cleanup
%!   rmdir (empty);
%! end_unwind_protect

%!test
%! ## The build script checks every file before it compiles any. Run from
%! ## the bare copy, whose script the current folder puts first.
%! here = pwd ();
%! cd (bare);
%! unwind_protect
%!   err = "";
%!   try
%!     winscore_build (fullfile (bare, "out"));
%!   catch e
%!     err = e;
%!   end
%!   assert (err.identifier, "winscore:winscore_build:missingFile");
%!   assert (! isempty (regexp (err.message, 'hostif.host\.cpp is missing')), err.message);
%!   assert (! exist (fullfile (bare, "out"), "dir"));
%! unwind_protect_cleanup
%!   cd (here);
%! end_unwind_protect

%!test
%! [status, out] = system (sprintf ("sh '%s/tools/make-package.sh' '%s/out' 2>&1", bare, bare));
%! assert (status != 0);
%! assert (! isempty (regexp (out, 'make-package.sh: \S+ is missing')), out);

%!test
%! ## CMake, on a copy of the tree without one plug-in's test, then without
%! ## its help text; a CMake
%! ## older than the tree needs stops before it looks at any file.
%! needed = regexp (fileread (fullfile (root, "CMakeLists.txt")),
%!                  'cmake_minimum_required\(VERSION (\d+)\.(\d+)', "tokens", "once");
%! [~, text] = system ("cmake --version");
%! have = regexp (text, '(\d+)\.(\d+)', "tokens", "once");
%! if (isempty (have) || [1000 1] * str2double (have(:)) < [1000 1] * str2double (needed(:)))
%!   printf ("skipped: this CMake is older than %s.%s\n", needed{:});
%!   return;
%! end
%! copy = tempname ();
%! mkdir (copy);
%! unwind_protect
%!   system (sprintf ("cd '%s' && tar --exclude=./build -cf - . | tar -C '%s' -xf -", root, copy));
%!   ## A listed test file stops it as a source file does.
%!   for file = {"tests/ringdiff_kernel_test.cpp", "ringdiff/ringdiff.m"}
%!     delete (fullfile (copy, file{1}));
%!     [status, out] = system (sprintf ("cmake -S '%s' -B '%s/build' -DWS_OCTAVE=OFF 2>&1", copy, copy));
%!     assert (status != 0);
%!     assert (! isempty (strfind (out, [file{1} " is missing"])), out);
%!   end
%! unwind_protect_cleanup
%!   confirm_recursive_rmdir (false);
%!   rmdir (copy, "s");
%! end_unwind_protect

%!test
%! confirm_recursive_rmdir (false);
%! rmdir (bare, "s");

%!test
%! ## The overview's version line must be the version of the build facts.
%! copy = tempname ();
%! mkdir (copy);
%! unwind_protect
%!   system (sprintf ("cd '%s' && tar --exclude=./build -cf - . | tar -C '%s' -xf -", root, copy));
%!   text = fileread (fullfile (copy, "Contents.m"));
%!   fid = fopen (fullfile (copy, "Contents.m"), "w");
%!   fputs (fid, regexprep (text, '% Version \S+', '% Version 9.9.9', 'once'));
%!   fclose (fid);
%!   [status, out] = system (sprintf ("sh '%s/tools/make-package.sh' '%s/out' 2>&1", copy, copy));
%!   assert (status != 0);
%!   assert (! isempty (strfind (out, "Contents.m does not give version")), out);
%! unwind_protect_cleanup
%!   confirm_recursive_rmdir (false);
%!   rmdir (copy, "s");
%! end_unwind_protect
