function top = winscore_demo (imagePath)
%WINSCORE_DEMO  Find the windows that stand out from their surroundings.
%   WINSCORE_DEMO() runs the window-scoring pipeline on a scene it draws
%   itself; WINSCORE_DEMO(IMAGEPATH) runs it on your own image (any format
%   imread reads). The steps:
%     1. quantise the image's colours into bins,
%     2. build the integral histogram of the bins with TALLYPLANE,
%     3. propose many random windows (fixed seed, so runs repeat),
%     4. score each window with RINGDIFF: the chi-square distance between the
%        colours inside it and those in a ring around it,
%     5. draw windows at random in proportion to their scores with
%        DRAWWEIGHTED, without replacement,
%     6. thin the drawn windows, best score first, with GREEDYPICK: a window
%        that overlaps a kept one by more than half is dropped,
%     7. on a coarse grid of cells, score every grid window at once with
%        GRIDSWEEP and keep its local maxima with PEAKPICK,
%   then write winscore_demo.png in the current folder (left: the windows of
%   steps 1-6; right: the grid windows of step 7) and print tables of both.
%
%   TOP = WINSCORE_DEMO(...) also returns the kept windows as a struct with
%   fields xmin, ymin, xmax, ymax and score (column vectors, best first), and
%   the grid windows in TOP.grid (the same fields, in pixels).
%
%   Run from the project folder:   make demo   or   make demo IMAGE=photo.png
%   or in Octave:   addpath build/mex; addpath demo; winscore_demo
%
%   See also TALLYPLANE, RINGDIFF, DRAWWEIGHTED, GREEDYPICK, GRIDSWEEP, PEAKPICK.

% SPDX-License-Identifier: MIT

  if (nargin < 1)
    imagePath = '';
  end

  % Settings: change these to explore.
  levels = 4;            % colour levels per channel: levels^3 bins
  numberWindows = 3000;  % random windows proposed
  surroundPercent = 100; % the ring makes the window twice as wide and tall
  numberDrawn = 1500;    % windows drawn in proportion to their scores
  numberKept = 8;        % at most this many windows kept by the thinning,
  minShare = 0.6;        % each scoring at least this share of the best
  gridSize = 16;         % cells along each side of the coarse grid
  maxSide = 320;         % larger images are scaled down to this longer side

  % 1. The image, as doubles in 0..1 with three colour channels.
  if (isempty (imagePath))
    img = demo_scene ();
    name = 'the built-in scene';
  else
    img = read_rgb (imagePath);
    name = imagePath;
  end
  img = shrink (img, maxSide);
  [R, C, ~] = size (img);

  % Quantise: each channel to `levels` levels, and the three levels to one
  % bin number in 1..B.
  B = levels ^ 3;
  lv = min (floor (img * levels), levels - 1);
  q = 1 + lv(:, :, 1) + levels * lv(:, :, 2) + levels ^ 2 * lv(:, :, 3);

  % 2. The integral histogram: the bin counts above and left of every pixel
  % corner, so any window's histogram costs four reads.
  H = tallyplane (q, R, C, B);

  % 3. Random windows of many sizes and shapes, inside the image.
  [xmin, ymin, xmax, ymax] = propose_windows (R, C, numberWindows);

  % 4. One contrast score per window, 0 (looks like its ring) to 2 (no colour
  % in common with its ring).
  score = ringdiff (H, R, C, xmin, ymin, xmax, ymax, surroundPercent, B, numberWindows);

  % 5. A sample of windows, each drawn with probability proportional to its
  % score: good windows are likely, but not only the very best. The plug-in's
  % own generator makes the draw repeat from run to run (clear drawweighted
  % restarts it; here it is restarted so every run of the demo is the same).
  clear drawweighted;
  drawn = drawweighted (score, min (numberDrawn, numberWindows), 0);

  % 6. Greedy thinning, best score first: keep a window, drop every later
  % one that overlaps it by more than half, go on with the next survivor.
  kept = thin_windows (drawn, score, xmin, ymin, xmax, ymax, numberKept);
  kept = drop_nested (kept, xmin, ymin, xmax, ymax);
  kept = kept(score(kept) >= minShare * score(kept(1)));

  % 7. The grid stage: every window of a coarse grid scored at once from two
  % integral images over the cells, then the local maxima of those scores.
  grid = grid_windows (q, B, gridSize, numberKept);

  % The picture and the table.
  out = [draw_boxes(img, xmin(kept), ymin(kept), xmax(kept), ymax(kept)), ...
         draw_boxes(img, grid.xmin, grid.ymin, grid.xmax, grid.ymax)];
  outPath = fullfile (pwd (), 'winscore_demo.png');
  imwrite (uint8 (round (255 * out)), outPath);   % uint8: a double image would be 16-bit

  fprintf ('winscore demo: %d x %d pixels of %s, %d bins, %d windows scored\n', ...
          R, C, name, B, numberWindows);
  fprintf ('%4s %6s %6s %6s %6s %8s\n', 'rank', 'xmin', 'ymin', 'xmax', 'ymax', 'score');
  for k = 1:numel (kept)
    i = kept(k);
    fprintf ('%4d %6d %6d %6d %6d %8.4f\n', k, xmin(i), ymin(i), xmax(i), ymax(i), score(i));
  end
  fprintf ('grid stage: %d x %d cells, local maxima of every grid window\n', gridSize, gridSize);
  fprintf ('%4s %6s %6s %6s %6s %8s\n', 'rank', 'xmin', 'ymin', 'xmax', 'ymax', 'score');
  for k = 1:numel (grid.score)
    fprintf ('%4d %6d %6d %6d %6d %8.4f\n', k, grid.xmin(k), grid.ymin(k), grid.xmax(k), ...
            grid.ymax(k), grid.score(k));
  end
  fprintf ('wrote %s\n', outPath);

  if (nargout > 0)
    top = struct ('xmin', xmin(kept), 'ymin', ymin(kept), 'xmax', xmax(kept), ...
                  'ymax', ymax(kept), 'score', score(kept), 'grid', grid);
  end
end

function img = demo_scene ()
  % A 240 x 320 scene: a few coloured shapes on a noisy, gently shaded
  % background. Fixed seed, so it is the same picture every time.
  R = 240; C = 320;
  randn ('state', 7);
  [x, y] = meshgrid (1:C, 1:R);
  shade = 0.12 * (x / C) + 0.08 * (y / R);
  img = zeros (R, C, 3);
  base = [0.55 0.52 0.40];                       % a sandy grey-green
  for ch = 1:3
    img(:, :, ch) = base(ch) + shade + 0.05 * randn (R, C);
  end
  paint = @(img, mask, rgb) apply_colour (img, mask, rgb);
  img = paint (img, (x - 80) .^ 2 + (y - 70) .^ 2 <= 32 ^ 2, [0.85 0.15 0.10]);    % red disc
  img = paint (img, x >= 190 & x <= 270 & y >= 40 & y <= 95, [0.15 0.25 0.80]);     % blue block
  img = paint (img, ((x - 240) / 45) .^ 2 + ((y - 180) / 28) .^ 2 <= 1, [0.10 0.60 0.20]);  % green ellipse
  img = paint (img, y >= 140 & y <= 215 & abs (x - 95) <= (y - 140) * 0.6, [0.95 0.85 0.10]);  % yellow triangle
  img = min (max (img, 0), 1);
end

function img = apply_colour (img, mask, rgb)
  % Paints the pixels of `mask` in colour `rgb`, with a little noise of its own.
  for ch = 1:3
    plane = img(:, :, ch);
    plane(mask) = rgb(ch) + 0.04 * randn (nnz (mask), 1);
    img(:, :, ch) = plane;
  end
end

function img = read_rgb (path)
  % Any image imread reads, as doubles in 0..1 with three channels.
  [img, map] = imread (path);
  if (~isempty (map))
    img = ind2rgb (img, map);
  elseif (islogical (img))
    img = double (img);
  elseif (isinteger (img))
    img = double (img) / double (intmax (class (img)));
  else
    img = double (img);
  end
  if (size (img, 3) == 1)
    img = repmat (img, [1 1 3]);
  end
  img = min (max (img(:, :, 1:3), 0), 1);
end

function img = shrink (img, maxSide)
  % Nearest-pixel scaling so the longer side is at most maxSide.
  [R, C, ~] = size (img);
  f = maxSide / max (R, C);
  if (f < 1)
    rows = max (1, round (((1:floor (R * f)) - 0.5) / f + 0.5));
    cols = max (1, round (((1:floor (C * f)) - 0.5) / f + 0.5));
    img = img(min (rows, R), min (cols, C), :);
  end
end

function [xmin, ymin, xmax, ymax] = propose_windows (R, C, n)
  % n windows with sides between 6% and 60% of the image's, placed uniformly.
  rand ('state', 42);
  w = round (C * (0.06 + 0.54 * rand (n, 1)));
  h = round (R * (0.06 + 0.54 * rand (n, 1)));
  w = max (w, 1); h = max (h, 1);
  xmin = 1 + floor ((C - w + 1) .* rand (n, 1));
  ymin = 1 + floor ((R - h + 1) .* rand (n, 1));
  xmax = xmin + w - 1;
  ymax = ymin + h - 1;
end

function kept = thin_windows (drawn, score, xmin, ymin, xmax, ymax, count)
  % GREEDYPICK on the drawn windows ordered by score. It always reads a list
  % of 100000 windows, so the list is padded with tiny windows far outside the
  % image, which overlap nothing; positions past the drawn ones are ignored.
  [~, order] = sort (score(drawn), 'descend');
  list = drawn(order);
  listLength = 100000;
  pad = -10 * ones (listLength - numel (list), 1);
  x0 = [xmin(list); pad]; y0 = [ymin(list); pad];
  x1 = [xmax(list); pad]; y1 = [ymax(list); pad];
  area = (x1 - x0 + 1) .* (y1 - y0 + 1);
  positions = greedypick (area, 0, x0, y0, x1, y1, count);   % 0-based, -1 unfilled
  positions = positions(positions >= 0 & positions < numel (list));
  kept = list(positions + 1);
  kept = kept(:);
end

function kept = drop_nested (kept, xmin, ymin, xmax, ymax)
  % Overlap over the union lets a small window inside a large kept one
  % survive; drop a window when more than half of it lies inside a better one.
  area = (xmax - xmin + 1) .* (ymax - ymin + 1);
  keep = true (size (kept));
  for k = 2:numel (kept)
    i = kept(k); better = kept(1:k - 1);
    better = better(keep(1:k - 1));
    iw = max (0, min (xmax(i), xmax(better)) - max (xmin(i), xmin(better)) + 1);
    ih = max (0, min (ymax(i), ymax(better)) - max (ymin(i), ymin(better)) + 1);
    keep(k) = all (iw .* ih <= 0.5 * area(i));
  end
  kept = kept(keep);
end

function grid = grid_windows (q, B, n, count)
  % Cells of an n x n grid over the image. Each cell's "rarity" is how
  % uncommon its pixels' colours are in the whole image (0 = the commonest
  % colour). Image A holds rarity above 60% of its largest value (negative in
  % the background); image B counts cells, so a window scores
  % (sum of A) * cells / cells = sum of A: highest on windows that cover a
  % cluster of rare colour and little else.
  [R, C] = size (q);
  frequency = accumarray (q(:), 1, [B 1]);
  rarity = 1 - frequency(q) / max (frequency);
  rows = min (n, 1 + floor ((0:R - 1)' * n / R));
  cols = min (n, 1 + floor ((0:C - 1) * n / C));
  cellRarity = accumarray ([repmat(rows, C, 1), reshape(repmat(cols, R, 1), [], 1)], ...
                           rarity(:), [n n], @mean);
  a = cellRarity - 0.6 * max (cellRarity(:));
  b = ones (n);
  integral = @(v) [zeros(1, n + 1); zeros(n, 1), cumsum(cumsum(v, 1), 2)];
  S = gridsweep (zeros (64), n, 2, 2, 0, integral (a), integral (b));
  [gx0, gy0, gx1, gy1, gs] = peakpick (S, n, n, 3);
  found = find (gs > 0);
  [~, order] = sort (gs(found), 'descend');
  found = found(order(1:min (count, numel (order))));
  found = found(gs(found) >= 0.5 * gs(found(1)));   % clear peaks only
  % Grid cells back to pixels.
  cw = C / n; ch = R / n;
  grid.xmin = 1 + floor ((gx0(found)' - 1) * cw);
  grid.ymin = 1 + floor ((gy0(found)' - 1) * ch);
  grid.xmax = floor (gx1(found)' * cw);
  grid.ymax = floor (gy1(found)' * ch);
  grid.score = gs(found)';
end

function img = draw_boxes (img, xmin, ymin, xmax, ymax)
  % Draws each window as a 3-pixel frame, the best in white, the rest in
  % turn in magenta, cyan, orange and black.
  colours = [1 1 1; 1 0 1; 0 1 1; 1 0.5 0; 0 0 0];
  for k = numel (xmin):-1:1
    rgb = colours(1 + mod (k - 1, size (colours, 1)), :);
    x0 = xmin(k); x1 = xmax(k); y0 = ymin(k); y1 = ymax(k);
    t = min ([3, x1 - x0 + 1, y1 - y0 + 1]);
    for ch = 1:3
      img([y0:y0 + t - 1, y1 - t + 1:y1], x0:x1, ch) = rgb(ch);
      img(y0:y1, [x0:x0 + t - 1, x1 - t + 1:x1], ch) = rgb(ch);
    end
  end
end
