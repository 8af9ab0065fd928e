function build_script_check (cmakeMexDir, scriptMexDir)
  % Builds the plug-ins with winscore_build into a temporary folder (or takes
  % them from scriptMexDir) and checks that every plug-in of build-facts.mk is
  % in both builds and gives bit-identical results on the same call; an error
  % names each plug-in that is missing or differs.
  calls = struct (
    "tallyplane", "tallyplane (q, 40, 30, 8)",
    "ringdiff", "ringdiff (h, 40, 30, [1 5 9], [2 4 6], [10 20 25], [12 30 39], 50, 8, 3)",
    "gridsweep", "gridsweep (zeros (64), 8, 1, 2, 0, g, g')",
    "peakpick", "nthargout (5, @peakpick, gridsweep (zeros (64), 8, 1, 1, 0, g, g'), 8, 8, 3)",
    "drawweighted", "drawweighted ([1 2 3 4 0 5], 4, 0)",
    "greedypick", "greedypick (areas, 0, x1, y1, x2, y2, 50)",
    "ringcontrast", "winscore.internal.ringcontrast (\"bins\", q, 8, [1 2 10 12; 5 4 20 30; 9 6 25 39], 50, Inf)",
    "greedyselect", "winscore.internal.greedyselect ([x1 y1 x2 y2](1:3000, :), 0.3, 200)");
  plugins = build_fact ("WS_PLUGINS");
  kernels = build_fact ("WS_API_KERNELS");
  api = build_fact ("WS_API_FOLDER");
  failures = {};
  for k = 1:numel (plugins)
    name = plugins{k};
    if (! isfield (calls, name))
      failures{end+1} = sprintf ("%s: no call to compare", name);
    elseif (! exist (fullfile (cmakeMexDir, [name ".mex"]), "file"))
      failures{end+1} = sprintf ("%s: not built in %s", name, cmakeMexDir);
    end
  end
  for k = 1:numel (kernels)
    if (! isfield (calls, kernels{k}))
      failures{end+1} = sprintf ("%s: no call to compare", kernels{k});
    elseif (! exist (fullfile (cmakeMexDir, api{1}, [kernels{k} ".mex"]), "file"))
      failures{end+1} = sprintf ("%s: not built in %s", kernels{k}, fullfile (cmakeMexDir, api{1}));
    end
  end
  fail_if_any (failures);

  if (nargin < 2)
    scriptMexDir = tempname ();
    winscore_build (scriptMexDir);
    cleanup = onCleanup (@() remove_folder (scriptMexDir));
  end
  rand ("state", 3);
  q = floor (1 + 8 * rand (40, 30));
  h = run_in (cmakeMexDir, calls.tallyplane, q);
  g = cumsum (cumsum (rand (9)));
  x1 = floor (1 + 90 * rand (100000, 1)); y1 = floor (1 + 90 * rand (100000, 1));
  x2 = x1 + floor (10 * rand (100000, 1)); y2 = y1 + floor (10 * rand (100000, 1));
  areas = (x2 - x1 + 1) .* (y2 - y1 + 1);
  for k = 1:numel (plugins) + numel (kernels)
    if (k <= numel (plugins))
      name = plugins{k};
      where = [name ".mex"];
    else
      name = kernels{k - numel(plugins)};
      where = fullfile (api{1}, [name ".mex"]);
    end
    if (! exist (fullfile (scriptMexDir, where), "file"))
      failures{end+1} = sprintf ("%s: not built by winscore_build", name);
      continue;
    end
    a = run_in (cmakeMexDir, calls.(name), q, h, g, x1, y1, x2, y2, areas);
    b = run_in (scriptMexDir, calls.(name), q, h, g, x1, y1, x2, y2, areas);
    if (! isequal (size (a), size (b)) || any (typecast (a(:), "uint64") != typecast (b(:), "uint64")))
      failures{end+1} = sprintf ("%s: the script's build differs from the CMake build", name);
    else
      printf ("%s: identical\n", name);
    end
  end
  scripts = [build_fact("WS_MFILES"), build_fact("WS_MFOLDERS")];
  for k = 1:numel (scripts)
    [~, base, ext] = fileparts (scripts{k});
    if (! exist (fullfile (scriptMexDir, [base ext])))
      failures{end+1} = sprintf ("%s: not put beside the plug-ins by winscore_build", scripts{k});
    end
  end
  if (! exist (fullfile (scriptMexDir, "+winscore", "propose.m"), "file"))
    failures{end+1} = "+winscore/propose.m: not put beside the plug-ins by winscore_build";
  end
  fail_if_any (failures);
end

function fail_if_any (failures)
  if (! isempty (failures))
    error ("build_script_check: %s", strjoin (failures, "; "));
  end
end

function remove_folder (folder)
  confirm_recursive_rmdir (false);
  rmdir (folder, "s");
end

function out = run_in (dir, expression, q, h, g, x1, y1, x2, y2, areas)
  % The folder alone on the path, and the plug-ins reloaded from it.
  addpath (dir);
  clear ("-f");
  out = eval (expression);
  rmpath (dir);
  clear ("-f");
end
