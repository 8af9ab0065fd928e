function top = winscore_demo (imagePath, outPath)
%WINSCORE_DEMO  Find the windows that stand out from their surroundings.
%   WINSCORE_DEMO() runs the winscore toolbox on a scene it draws itself;
%   WINSCORE_DEMO(IMAGEPATH) on your own image (any format imread reads).
%   WINSCORE_DEMO(IMAGEPATH, OUTPATH) writes the picture to OUTPATH instead
%   of winscore_demo.png in the current folder ('' for IMAGEPATH is the
%   scene; '' for OUTPATH writes no picture). The steps:
%     1. winscore.propose: quantise the colours into 64 bins, score 3000
%        random windows (fixed seed) against a ring around each, draw 1500
%        of them in proportion to their scores and thin them, best first;
%        the work is done on a copy at most 320 pixels on a side, and the
%        windows come back in the image's own pixels;
%     2. drop windows that lie mostly inside a better one, and those
%        scoring under 0.6 of the best;
%     3. winscore.gridPeaks: on a 16 x 16 grid of cells, score every window
%        of cells by how rare its colours are in the image and keep the
%        local maxima;
%     4. winscore.draw: the windows of steps 1-2 on the left, those of step
%        3 on the right, on a copy at most 1024 pixels on a side; print
%        tables of both.
%
%   TOP = WINSCORE_DEMO(...) also returns the kept windows as a struct with
%   fields xmin, ymin, xmax, ymax and score (column vectors, best first), and
%   the grid windows in TOP.grid (the same fields, in pixels).
%
%   Run from the project folder:   make demo   or   make demo IMAGE=photo.png
%   or in Octave or MATLAB:   addpath build/mex; addpath demo; winscore_demo
%
%   See also WINSCORE.PROPOSE, WINSCORE.GRIDPEAKS, WINSCORE.DRAW.

% SPDX-License-Identifier: MIT

  if nargin < 1
    imagePath = '';
  end
  if nargin < 2
    outPath = fullfile (pwd (), 'winscore_demo.png');
  end
  imagePath = winscore.internal.text (imagePath, 'winscore_demo', 'IMAGEPATH', 'a file name');
  outPath = winscore.internal.text (outPath, 'winscore_demo', 'OUTPATH', 'a file name');

  % Settings: change these to explore. winscore.propose's options, every
  % one written out: a ring twice as wide and tall as the window, and a
  % working copy at most 640 pixels on a side; the rest are its defaults.
  settings = struct ('Bins', 64, 'Candidates', 3000, 'Surround', 100, 'Draws', 1500, ...
                     'Keep', 8, 'Seed', 1, 'MaxSide', 640, 'WindowSize', [0.06 0.6]);
  minShare = 0.6;        % windows scoring at least this share of the best,
  gridSize = 16;         % cells along each side of the coarse grid
  options = [fieldnames(settings), struct2cell(settings)]';   % name, value, ...
  options = options(:)';
  bins = settings.Bins;
  numberKept = settings.Keep;

  if isempty (imagePath)
    img = demo_scene ();
    name = 'the built-in scene';
  else
    [img, map] = imread (imagePath);
    if ~isempty (map)
      img = ind2rgb (img, map);
    end
    img = img(:, :, 1:min (3, size (img, 3)));
    name = imagePath;
  end
  [R, C, ~] = size (img);

  % 1-2. The windows that stand out from their rings.
  [boxes, scores] = winscore.propose (img, options{:});
  keep = ~nested (boxes) & scores >= minShare * max ([scores; 0]);
  boxes = boxes(keep, :);
  scores = scores(keep);

  % 3. The grid stage: each cell's "rarity" is how uncommon its pixels'
  % colours are in the whole image (0 = the commonest colour). Map A holds
  % rarity above 60% of its largest value (negative in the background), map
  % B counts cells, so a window scores (sum of A) * cells / cells = sum of
  % A: highest on windows that cover a cluster of rare colour and little else.
  % On a large image every step-th pixel stands in for its block: at most
  % about 640 of them on a side, and at least one in every cell.
  n = gridSize;
  step = max (1, min (ceil (max (R, C) / 640), floor (min (R, C) / n)));
  q = winscore.quantise (img(1:step:end, 1:step:end, :), bins);
  frequency = accumarray (q(:), 1, [bins 1]);
  rarity = 1 - frequency(q) / max (frequency);
  rows = min (n, 1 + floor ((0:step:R - 1)' * n / R));
  cols = min (n, 1 + floor ((0:step:C - 1) * n / C));
  cells = [repmat(rows, numel (cols), 1), reshape(repmat(cols, numel (rows), 1), [], 1)];
  cellRarity = accumarray (cells, rarity(:), [n n]) ./ max (accumarray (cells, 1, [n n]), 1);
  [gridBoxes, gridScores] = winscore.gridPeaks (cellRarity - 0.6 * max (cellRarity(:)), ...
                                                ones (n), 'MinWidth', 2, 'MinHeight', 2, ...
                                                'CellSize', [R / n, C / n]);
  peaks = gridScores >= 0.5 * max ([gridScores; 0]);         % clear peaks only
  peaks((numberKept + 1):end) = false;
  gridBoxes = gridBoxes(peaks, :);
  gridScores = gridScores(peaks);

  % 4. The picture and the tables.
  fprintf ('winscore demo: %d x %d pixels of %s (rows x columns)\n', R, C, name);
  fprintf ('[boxes, scores] = winscore.propose (img%s);\n', written (options));
  print_table (boxes, scores);
  fprintf ('grid stage: %d x %d cells, local maxima of every grid window\n', n, n);
  print_table (gridBoxes, gridScores);
  if ~isempty (outPath)
    [shown, scale] = screen_copy (img, 1024);
    imwrite ([winscore.draw(shown, scale (boxes)), winscore.draw(shown, scale (gridBoxes))], outPath);
    fprintf ('wrote %s\n', outPath);
  end

  if nargout > 0
    top = struct ('xmin', boxes(:, 1), 'ymin', boxes(:, 2), 'xmax', boxes(:, 3), ...
                  'ymax', boxes(:, 4), 'score', scores);
    top.grid = struct ('xmin', gridBoxes(:, 1), 'ymin', gridBoxes(:, 2), ...
                       'xmax', gridBoxes(:, 3), 'ymax', gridBoxes(:, 4), 'score', gridScores);
  end
end

function inside = nested (boxes)
  % Overlap over the union lets a small window inside a large kept one
  % survive: flag a window when more than half of it lies inside a better
  % one that is not flagged itself.
  area = (boxes(:, 3) - boxes(:, 1) + 1) .* (boxes(:, 4) - boxes(:, 2) + 1);
  inside = false (size (boxes, 1), 1);
  for k = 2:size (boxes, 1)
    better = boxes(~inside(1:k - 1), :);
    iw = max (0, min (boxes(k, 3), better(:, 3)) - max (boxes(k, 1), better(:, 1)) + 1);
    ih = max (0, min (boxes(k, 4), better(:, 4)) - max (boxes(k, 2), better(:, 2)) + 1);
    inside(k) = any (iw .* ih > 0.5 * area(k));
  end
end

function [img, scale] = screen_copy (img, side)
  % A copy at most `side` pixels on its longer side (pixel centres picked,
  % as winscore.propose's 'MaxSide' does), and the map of boxes into it;
  % winscore.draw rounds the fractional corners.
  [R, C, ~] = size (img);
  f = min (1, side / max (R, C));
  Rw = max (1, floor (R * f));
  Cw = max (1, floor (C * f));
  img = img(floor ((2 * (1:Rw) - 1) * R / (2 * Rw)) + 1, floor ((2 * (1:Cw) - 1) * C / (2 * Cw)) + 1, :);
  scale = @(b) [(b(:, 1) - 1) * Cw / C + 1, (b(:, 2) - 1) * Rw / R + 1, b(:, 3) * Cw / C, b(:, 4) * Rw / R];
end

function s = written (options)
  % The options as they would be typed: , 'Bins', 64, ...
  s = '';
  for k = 1:2:numel (options)
    s = sprintf ('%s, ''%s'', %s', s, options{k}, mat2str (options{k + 1}));
  end
end

function print_table (boxes, scores)
  fprintf ('%4s %6s %6s %6s %6s %8s\n', 'rank', 'xmin', 'ymin', 'xmax', 'ymax', 'score');
  for k = 1:numel (scores)
    fprintf ('%4d %6d %6d %6d %6d %8.4f\n', k, boxes(k, :), scores(k));
  end
end

function img = demo_scene ()
  % A 240 x 320 scene: a few coloured shapes on a noisy, gently shaded
  % background. The noise comes from the toolbox's own seeded generator, so
  % it is the same picture every time and in every host, and the caller's
  % random state is left alone.
  R = 240; C = 320;
  [x, y] = meshgrid (1:C, 1:R);
  shade = 0.12 * (x / C) + 0.08 * (y / R);
  img = zeros (R, C, 3);
  base = [0.55 0.52 0.40];                       % a sandy grey-green
  for ch = 1:3
    img(:, :, ch) = base(ch) + shade + noise (0.05, [R C], ch);
  end
  img = paint (img, (x - 80) .^ 2 + (y - 70) .^ 2 <= 32 ^ 2, [0.85 0.15 0.10], 4);    % red disc
  img = paint (img, x >= 190 & x <= 270 & y >= 40 & y <= 95, [0.15 0.25 0.80], 5);     % blue block
  img = paint (img, ((x - 240) / 45) .^ 2 + ((y - 180) / 28) .^ 2 <= 1, [0.10 0.60 0.20], 6);  % green ellipse
  img = paint (img, y >= 140 & y <= 215 & abs (x - 95) <= (y - 140) * 0.6, [0.95 0.85 0.10], 7);  % yellow triangle
  img = min (max (img, 0), 1);
end

function img = paint (img, mask, rgb, seed)
  % Paints the pixels of `mask` in colour `rgb`, with a little noise of its own.
  for ch = 1:3
    plane = img(:, :, ch);
    plane(mask) = rgb(ch) + noise (0.04, [nnz(mask) 1], 10 * seed + ch);
    img(:, :, ch) = plane;
  end
end

function v = noise (spread, shape, seed)
  % Uniform noise of mean 0 and standard deviation `spread`.
  u = winscore.internal.uniform (seed, prod (shape));
  v = reshape (spread * sqrt (12) * (u - 0.5), shape);
end
