function build_script_check (cmakeMexDir)
  % Builds the plug-ins with winscore_build into a temporary folder and checks
  % that each gives bit-identical results to the CMake build on the same calls.
  outdir = tempname ();
  winscore_build (outdir);
  rand ("state", 3);
  q = floor (1 + 8 * rand (40, 30));
  h = tallyplane_in (cmakeMexDir, q);
  g = cumsum (cumsum (rand (9)));
  x1 = floor (1 + 90 * rand (100000, 1)); y1 = floor (1 + 90 * rand (100000, 1));
  x2 = x1 + floor (10 * rand (100000, 1)); y2 = y1 + floor (10 * rand (100000, 1));
  areas = (x2 - x1 + 1) .* (y2 - y1 + 1);
  calls = {
    "tallyplane (q, 40, 30, 8)"
    "ringdiff (h, 40, 30, [1 5 9], [2 4 6], [10 20 25], [12 30 39], 50, 8, 3)"
    "gridsweep (zeros (64), 8, 1, 2, 0, g, g')"
    "nthargout (5, @peakpick, gridsweep (zeros (64), 8, 1, 1, 0, g, g'), 8, 8, 3)"
    "drawweighted ([1 2 3 4 0 5], 4, 0)"
    "greedypick (areas, 0, x1, y1, x2, y2, 50)"
  };
  failures = 0;
  for k = 1:numel (calls)
    name = regexp (calls{k}, '(tallyplane|ringdiff|gridsweep|peakpick|drawweighted|greedypick)', 'match', 'once');
    if (! exist (fullfile (outdir, [name ".mex"]), "file"))
      continue;
    end
    a = run_in (cmakeMexDir, calls{k}, q, h, g, x1, y1, x2, y2, areas);
    b = run_in (outdir, calls{k}, q, h, g, x1, y1, x2, y2, areas);
    if (! isequal (size (a), size (b)) || any (typecast (a(:), "uint64") != typecast (b(:), "uint64")))
      printf ("%s: the script's build differs from the CMake build\n", name);
      failures += 1;
    else
      printf ("%s: identical\n", name);
    end
  end
  if (! exist (fullfile (outdir, "+winscore", "propose.m"), "file")
      || ! exist (fullfile (outdir, "Contents.m"), "file"))
    printf ("the script did not put the toolbox API and Contents.m beside the plug-ins\n");
    failures += 1;
  end
  confirm_recursive_rmdir (false);
  rmdir (outdir, "s");
  if (failures > 0)
    exit (1);
  end
end

function h = tallyplane_in (dir, q)
  h = run_in (dir, "tallyplane (q, 40, 30, 8)", q);
end

function out = run_in (dir, expression, q, h, g, x1, y1, x2, y2, areas)
  % The folder alone on the path, and the plug-ins reloaded from it.
  addpath (dir);
  clear -f tallyplane ringdiff gridsweep peakpick drawweighted greedypick;
  out = eval (expression);
  rmpath (dir);
  clear -f tallyplane ringdiff gridsweep peakpick drawweighted greedypick;
end
