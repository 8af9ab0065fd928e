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
%     5. keep the best few that do not overlap much and score close to the
%        best,
%   then write winscore_demo.png (the image with the kept windows drawn) in
%   the current folder and print a table of them.
%
%   TOP = WINSCORE_DEMO(...) also returns the kept windows as a struct with
%   fields xmin, ymin, xmax, ymax and score (column vectors, best first).
%
%   Run from the project folder:   make demo   or   make demo IMAGE=photo.png
%   or in Octave:   addpath build/mex; addpath demo; winscore_demo
%
%   See also TALLYPLANE, RINGDIFF.

% SPDX-License-Identifier: MIT

  if (nargin < 1)
    imagePath = '';
  end

  % Settings: change these to explore.
  levels = 4;            % colour levels per channel: levels^3 bins
  numberWindows = 3000;  % random windows proposed
  surroundPercent = 100; % the ring makes the window twice as wide and tall
  numberKept = 5;        % at most this many windows drawn and listed,
  minShare = 0.75;       % each scoring at least this share of the best
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

  % 5. The best windows, skipping any that overlap a better one by more than half.
  kept = pick_best (score, xmin, ymin, xmax, ymax, numberKept);
  kept = kept(score(kept) >= minShare * score(kept(1)));

  % The picture and the table.
  out = draw_boxes (img, xmin(kept), ymin(kept), xmax(kept), ymax(kept));
  outPath = fullfile (pwd (), 'winscore_demo.png');
  imwrite (uint8 (round (255 * out)), outPath);   % uint8: a double image would be 16-bit

  printf ('winscore demo: %d x %d pixels of %s, %d bins, %d windows scored\n', ...
          R, C, name, B, numberWindows);
  printf ('%4s %6s %6s %6s %6s %8s\n', 'rank', 'xmin', 'ymin', 'xmax', 'ymax', 'score');
  for k = 1:numel (kept)
    i = kept(k);
    printf ('%4d %6d %6d %6d %6d %8.4f\n', k, xmin(i), ymin(i), xmax(i), ymax(i), score(i));
  end
  printf ('wrote %s\n', outPath);

  if (nargout > 0)
    top = struct ('xmin', xmin(kept), 'ymin', ymin(kept), 'xmax', xmax(kept), ...
                  'ymax', ymax(kept), 'score', score(kept));
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
  if (! isempty (map))
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

function kept = pick_best (score, xmin, ymin, xmax, ymax, count)
  % Best score first; a window is skipped when more than half of it, or of a
  % kept window, lies in their intersection (so nested windows count too).
  [~, order] = sort (score, 'descend');
  kept = [];
  area = (xmax - xmin + 1) .* (ymax - ymin + 1);
  for i = order'
    if (numel (kept) == count)
      break;
    end
    iw = min (xmax(i), xmax(kept)) - max (xmin(i), xmin(kept)) + 1;
    ih = min (ymax(i), ymax(kept)) - max (ymin(i), ymin(kept)) + 1;
    inter = max (iw, 0) .* max (ih, 0);
    if (all (inter ./ min (area(i), area(kept)) <= 0.5))
      kept(end + 1) = i;
    end
  end
  kept = kept(:);
end

function img = draw_boxes (img, xmin, ymin, xmax, ymax)
  % Draws each window as a 3-pixel frame, the best in white, the rest in
  % turn in magenta, cyan, orange and black.
  colours = [1 1 1; 1 0 1; 0 1 1; 1 0.5 0; 0 0 0];
  for k = numel (xmin):-1:1
    rgb = colours(1 + mod (k - 1, rows (colours)), :);
    x0 = xmin(k); x1 = xmax(k); y0 = ymin(k); y1 = ymax(k);
    t = min ([3, x1 - x0 + 1, y1 - y0 + 1]);
    for ch = 1:3
      img([y0:y0 + t - 1, y1 - t + 1:y1], x0:x1, ch) = rgb(ch);
      img(y0:y1, [x0:x0 + t - 1, x1 - t + 1:x1], ch) = rgb(ch);
    end
  end
end
