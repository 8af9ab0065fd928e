function api_overhead (repetitions)
%API_OVERHEAD  What the toolbox API adds to the plug-ins' own time on a whole pipeline.
%   API_OVERHEAD() runs the pipeline of a 1024 x 768 RGB photo-like image
%   two ways, alternating, and measures the CPU time of each (the process's
%   own, so other work on a shared machine counts less than in wall time):
%   through the API
%   (winscore.propose with its defaults, then winscore.gridPeaks on a 32 x
%   32 grid), and as the plug-in calls alone (TALLYPLANE, RINGDIFF,
%   DRAWWEIGHTED, GREEDYPICK, GRIDSWEEP, PEAKPICK) on inputs prepared
%   beforehand. Everything else the API does (reading the image's class,
%   quantising, making the candidates, the checks, sorting and padding)
%   counts as its overhead. It checks that both ways give the same windows,
%   and prints the medians and the fastest runs (the fastest are the least
%   disturbed on a shared machine).
%   API_OVERHEAD(REPETITIONS) sets the number of runs of each (default 7).
%   Needs the plug-ins and +winscore on the path (addpath build/mex).

% SPDX-License-Identifier: MIT

  if nargin < 1
    repetitions = 7;
  end
  R = 768; C = 1024; B = 64; N = 3000; draws = 1500; keep = 10; n = 32;
  img = photo (R, C);

  % The plug-ins' inputs, made once, outside the timing.
  q = winscore.quantise (img, B);
  u = reshape (winscore.internal.uniform (1, 4 * N), N, 4);
  w = max (round (C * (0.06 + 0.54 * u(:, 1))), 1);
  h = max (round (R * (0.06 + 0.54 * u(:, 2))), 1);
  x0 = 1 + floor ((C - w + 1) .* u(:, 3));
  y0 = 1 + floor ((R - h + 1) .* u(:, 4));
  x1 = x0 + w - 1;
  y1 = y0 + h - 1;
  A = rand (n) - 0.8;
  TA = zeros (n + 1); TA(2:end, 2:end) = cumsum (cumsum (A, 1), 2);
  TB = zeros (n + 1); TB(2:end, 2:end) = cumsum (cumsum (ones (n), 1), 2);

  api = zeros (repetitions, 1);
  plugins = zeros (repetitions, 1);
  for r = 1:repetitions
    t = cputime ();
    [boxes, scores] = winscore.propose (img);
    [gridBoxes, gridScores] = winscore.gridPeaks (A, ones (n));
    api(r) = cputime () - t;

    t = cputime ();
    s = ringdiff (tallyplane (q, R, C, B), R, C, x0, y0, x1, y1, 50, B, N);
    spent = cputime () - t;
    clear drawweighted;
    t = cputime ();
    drawn = drawweighted (s, draws, 0);
    spent = spent + cputime () - t;
    [~, order] = sort (-s(drawn));
    list = drawn(order);
    pad = -10 * ones (100000 - draws, 1);
    lx0 = [x0(list); pad]; ly0 = [y0(list); pad]; lx1 = [x1(list); pad]; ly1 = [y1(list); pad];
    areas = (lx1 - lx0 + 1) .* (ly1 - ly0 + 1);
    t = cputime ();
    kept = greedypick (areas, 0, lx0, ly0, lx1, ly1, keep);
    S = gridsweep (zeros (64), n, 1, 1, 0, TA, TB);
    [gx0, gy0, gx1, gy1, gs] = peakpick (S, n, n, 3);
    plugins(r) = spent + cputime () - t;
  end

  kept = list(kept(kept >= 0 & kept < draws) + 1);
  found = find (gs > 0);
  [~, order] = sort (-gs(found));
  found = found(order);
  same = isequal (boxes, [x0(kept), y0(kept), x1(kept), y1(kept)]) && isequal (scores, s(kept)) ...
         && isequal (gridBoxes, [gx0(found)', gy0(found)', gx1(found)', gy1(found)']) ...
         && isequal (gridScores, gs(found)');
  if ~same
    error ('api_overhead: the API and the plug-ins gave different windows');
  end
  fprintf ('\nwhole pipeline, %d x %d RGB uint8, %d bins, %d candidates, %d draws, grid %d x %d\n', ...
           C, R, B, N, draws, n, n);
  fprintf ('%-38s %8s %8s\n', sprintf ('%d runs each, CPU seconds', repetitions), 'median', 'fastest');
  fprintf ('%-38s %8.3f %8.3f\n', 'plug-in calls alone', median (plugins), min (plugins));
  fprintf ('%-38s %8.3f %8.3f\n', 'winscore.propose + winscore.gridPeaks', median (api), min (api));
  fprintf ('%-38s %+7.1f%% %+7.1f%%   (same windows: yes)\n', 'API overhead', ...
           100 * (median (api) / median (plugins) - 1), 100 * (min (api) / min (plugins) - 1));
end

function img = photo (R, C)
  % A photo-like uint8 scene: shaded background, noise, a few objects.
  state = rand ('state');
  restore = onCleanup (@() rand ('state', state));
  rand ('state', 5);
  [x, y] = meshgrid (1:C, 1:R);
  img = zeros (R, C, 3);
  base = [0.45 0.55 0.35];
  for ch = 1:3
    img(:, :, ch) = base(ch) + 0.2 * (x / C) - 0.1 * (y / R) + 0.08 * (rand (R, C) - 0.5);
  end
  objects = {(x - 300) .^ 2 + (y - 250) .^ 2 <= 110 ^ 2, [0.8 0.2 0.1]; ...
             x >= 600 & x <= 900 & y >= 120 & y <= 330, [0.1 0.2 0.7]; ...
             ((x - 700) / 160) .^ 2 + ((y - 580) / 90) .^ 2 <= 1, [0.9 0.8 0.2]};
  for k = 1:size (objects, 1)
    rgb = objects{k, 2};
    for ch = 1:3
      plane = img(:, :, ch);
      plane(objects{k, 1}) = rgb(ch) + 0.06 * (rand (nnz (objects{k, 1}), 1) - 0.5);
      img(:, :, ch) = plane;
    end
  end
  img = uint8 (round (255 * min (max (img, 0), 1)));
end
