function out = draw (img, boxes, varargin)
%DRAW  A copy of an image with windows drawn on it.
%   OUT = winscore.draw(IMG, BOXES) draws each window of BOXES (N x 4,
%   [xmin ymin xmax ymax], 1-based, inside the image) as a frame on a copy
%   of IMG and returns it as an R x C x 3 uint8 RGB image, ready for
%   IMWRITE or IMAGE. IMG is grey or RGB, of any numeric or logical class
%   (as winscore.quantise reads it). BOXES are taken best first: the first
%   is drawn on top, in white, then magenta, cyan, orange, black, yellow,
%   red, green, blue and brown; the colours repeat from the eleventh on.
%   No graphics toolkit is needed.
%
%   Options (name-value pairs):
%     'Scores'     one score per box: each frame gets a tag in its colour
%                  at its top-left corner with the score to two decimals,
%                  drawn with a small built-in digit font.
%     'Legend'     true to print a table of the boxes (rank, colour,
%                  corners and, with 'Scores', score), default false.
%     'Thickness'  the frame's width in pixels, default 3 (thinner where
%                  the box is smaller).
%
%   Example:
%     img = repmat (uint8 (180), 60, 80);
%     out = winscore.draw (img, [5 5 40 30; 30 20 75 55], 'Scores', [1.5 0.75]);
%     size (out)                     % 60 80 3
%     % imwrite (out, 'boxes.png')
%
%   See also WINSCORE.PROPOSE, WINSCORE.GRIDPEAKS.

% SPDX-License-Identifier: MIT

  if nargin < 2
    error ('winscore:draw:inputs', 'winscore.draw: expects an image and boxes');
  end
  opts = winscore.internal.options ('draw', struct ('Scores', [], 'Legend', false, ...
    'Thickness', 3), varargin);
  winscore.internal.checkImage ('draw', img);
  img = winscore.internal.unitImage (img);
  if size (img, 3) == 1
    img = repmat (img, [1 1 3]);
  end
  [R, C, ~] = size (img);
  boxes = winscore.internal.boxes ('draw', boxes, R, C);
  N = size (boxes, 1);
  scores = opts.Scores;
  if ~isempty (scores) && ~(isnumeric (scores) && isreal (scores) && numel (scores) == N)
    error ('winscore:draw:Scores', 'winscore.draw: ''Scores'' must be %d real numbers, one per box', N);
  end
  thickness = winscore.internal.scalar ('draw', 'Thickness', opts.Thickness, 1, Inf, true);
  showLegend = winscore.internal.scalar ('draw', 'Legend', opts.Legend, 0, 1, true);
  [colours, names] = palette ();
  scale = max (1, floor (min (R, C) / 200));

  for k = N:-1:1
    rgb = colours(1 + mod (k - 1, size (colours, 1)), :);
    x0 = boxes(k, 1); y0 = boxes(k, 2); x1 = boxes(k, 3); y1 = boxes(k, 4);
    t = min ([thickness, x1 - x0 + 1, y1 - y0 + 1]);
    for ch = 1:3
      img([y0:y0 + t - 1, y1 - t + 1:y1], x0:x1, ch) = rgb(ch);
      img(y0:y1, [x0:x0 + t - 1, x1 - t + 1:x1], ch) = rgb(ch);
    end
  end
  % Tags after every frame, so no frame hides one; the best on top again.
  for k = N:-1:1
    if ~isempty (scores)
      rgb = colours(1 + mod (k - 1, size (colours, 1)), :);
      img = tag (img, boxes(k, 2), boxes(k, 1), sprintf ('%.2f', scores(k)), rgb, scale);
    end
  end
  out = uint8 (round (255 * img));

  if showLegend
    fprintf ('%4s %-8s %6s %6s %6s %6s', 'rank', 'colour', 'xmin', 'ymin', 'xmax', 'ymax');
    if ~isempty (scores)
      fprintf (' %8s', 'score');
    end
    fprintf ('\n');
    for k = 1:N
      fprintf ('%4d %-8s %6d %6d %6d %6d', k, names{1 + mod (k - 1, numel (names))}, boxes(k, :));
      if ~isempty (scores)
        fprintf (' %8.4f', scores(k));
      end
      fprintf ('\n');
    end
  end
end

function [colours, names] = palette ()
  colours = [1 1 1; 1 0 1; 0 1 1; 1 0.5 0; 0 0 0; 1 1 0; 1 0 0; 0 0.75 0; 0 0 1; 0.55 0.3 0.1];
  names = {'white', 'magenta', 'cyan', 'orange', 'black', 'yellow', 'red', 'green', 'blue', 'brown'};
end

function img = tag (img, y, x, text, rgb, scale)
  % TEXT in a filled box of colour RGB with its top-left corner at (y, x),
  % each font pixel SCALE x SCALE image pixels, cut to the image.
  glyphs = cell (1, numel (text));
  for k = 1:numel (text)
    glyphs{k} = [glyph(text(k)), zeros(5, 1)];
  end
  bitmap = [zeros(1, 4 * numel (text) + 1); zeros(5, 1), [glyphs{:}]; zeros(1, 4 * numel (text) + 1)];
  bitmap = kron (bitmap, ones (scale));
  [h, w] = size (bitmap);
  rows = y:min (y + h - 1, size (img, 1));
  cols = x:min (x + w - 1, size (img, 2));
  bitmap = bitmap(1:numel (rows), 1:numel (cols)) > 0;
  ink = double (0.299 * rgb(1) + 0.587 * rgb(2) + 0.114 * rgb(3) < 0.5);   % white on dark
  for ch = 1:3
    patch = rgb(ch) * ones (size (bitmap));
    patch(bitmap) = ink;
    img(rows, cols, ch) = patch;
  end
end

function g = glyph (c)
  % A 5 x 3 bitmap of one character of a formatted number.
  shapes = {'0', '111101101101111'; '1', '010110010010111'; '2', '111001111100111'; ...
            '3', '111001111001111'; '4', '101101111001001'; '5', '111100111001111'; ...
            '6', '111100111101111'; '7', '111001001001001'; '8', '111101111101111'; ...
            '9', '111101111001111'; '.', '000000000000010'; '-', '000000111000000'; ...
            'I', '111010010010111'; 'n', '000000110101101'; 'f', '011010111010010'; ...
            'N', '101111111111101'; 'a', '000011101101011'};
  k = find (strcmp (c, shapes(:, 1)), 1);
  if isempty (k)
    g = zeros (5, 3);
  else
    g = reshape (shapes{k, 2} - '0', 3, 5)';
  end
end
