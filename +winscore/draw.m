function [out, varargout] = draw (img, boxes, varargin)
%DRAW  A copy of an image with windows drawn on it.
%   OUT = winscore.draw(IMG, BOXES) draws each window of BOXES (N x 4,
%   [xmin ymin xmax ymax], 1-based and inclusive, x counting columns) as a
%   frame on a copy of IMG and returns it as an R x C x 3 uint8 RGB image,
%   ready for IMWRITE or IMAGE. IMG is grey or RGB, of any numeric or
%   logical class, sparse too (as winscore.quantise reads it; NaN pixels
%   are drawn black). BOXES are taken best first: the first is drawn on
%   top, in white, then magenta, cyan, orange, black, yellow, red, green,
%   blue and brown; the colours repeat from the eleventh on. Each frame has
%   a thin outline on both sides, black around light colours and white
%   around dark ones, so it shows on any ground. Fractional corners are
%   rounded to the nearest pixel. No graphics toolkit is needed.
%
%   Options (name-value pairs):
%     'Scores'     one score per box: each frame gets a tag in its colour
%                  at its top-left corner with the score to two decimals,
%                  drawn with a small built-in digit font.
%     'Legend'     true to print a table of the boxes (rank, colour,
%                  corners and, with 'Scores', score), default false.
%     'Thickness'  the frame's width in pixels, default max(2, round(S/300))
%                  for an image whose longer side is S (3 at 1024, 13 at
%                  4000), so frames keep their look when a large picture
%                  is shown small; thinner where the box is smaller.
%     'Clip'       true (default) to draw the part of each box inside the
%                  image, and nothing for a box wholly outside; false to
%                  refuse a box that does not lie in the image.
%   The outline is a third of the frame's width (at least 1 pixel); the
%   tags' digits are 5 x 3 blocks of max(1, round(S/400)) pixels.
%
%   Example:
%     img = repmat (uint8 (180), 60, 80);
%     out = winscore.draw (img, [5 5 40 30; 30 20 75 55], 'Scores', [1.5 0.75]);
%     size (out)                     % 60 80 3
%     % imwrite (out, 'boxes.png')
%
%   See also WINSCORE.PROPOSE, WINSCORE.GRIDPEAKS, WINSCORE.CONVERTBOXES.

% SPDX-License-Identifier: MIT

  winscore.internal.counts ('draw', nargin, [2 Inf], nargout, 1, ...
                           'an image and boxes, then options as name-value pairs');
  opts = winscore.internal.options ('draw', struct ('Scores', [], 'Legend', false, ...
    'Thickness', [], 'Clip', true), varargin);
  img = winscore.internal.checkImage ('draw', img);
  [R, C, ~] = size (img);
  boxes = round (winscore.internal.boxes ('draw', boxes));
  N = size (boxes, 1);
  scores = opts.Scores;
  if ~((isnumeric (scores) || islogical (scores)) && isreal (scores))
    winscore.internal.fail ('draw', 'badValue', '''Scores''', 'real numbers, one per box', ...
                            winscore.internal.describe (scores));
  end
  if ~isempty (scores) && numel (scores) ~= N
    winscore.internal.fail ('draw', 'scoreCount', N, numel (scores));
  end
  scores = full (double (scores));
  clip = winscore.internal.scalar ('draw', 'Clip', opts.Clip, 0, 1, true);
  showLegend = winscore.internal.scalar ('draw', 'Legend', opts.Legend, 0, 1, true);
  if isempty (opts.Thickness)
    thickness = max (2, round (max (R, C) / 300));
  else
    thickness = winscore.internal.scalar ('draw', 'Thickness', opts.Thickness, 1, Inf, true);
  end
  if ~clip
    winscore.internal.boxes ('draw', boxes, R, C);
  end
  thickness = min (thickness, max (R, C));        % a wider frame would draw no more
  rim = max (1, round (thickness / 3));
  scale = max (1, round (max (R, C) / 400));
  [colours, names] = palette ();

  % Every frame and tag as a list of strokes, best last so it ends on top,
  % painted a plane at a time: the planes are assigned in place, never
  % copied whole per stroke.
  cut = [max(boxes(:, 1:2), 1), min(boxes(:, 3), C), min(boxes(:, 4), R)];
  shown = find (cut(:, 1) <= cut(:, 3) & cut(:, 2) <= cut(:, 4));   % wholly outside: not drawn
  strokes = {};
  for k = flipud (shown(:))'
    rgb = colours(1 + mod (k - 1, size (colours, 1)), :);
    t = min ([thickness, cut(k, 3) - cut(k, 1) + 1, cut(k, 4) - cut(k, 2) + 1]);
    strokes = [strokes, band(cut(k, :) + [-rim -rim rim rim], t + 2 * rim, outline (rgb), R, C), ...
               band(cut(k, :), t, rgb, R, C)];
  end
  % Tags after every frame, so no frame hides one; the best on top again.
  if ~isempty (scores)
    for k = flipud (shown(:))'
      rgb = colours(1 + mod (k - 1, size (colours, 1)), :);
      strokes{end + 1} = tag (cut(k, 2), cut(k, 1), sprintf ('%.2f', scores(k)), rgb, scale, R, C);
    end
  end
  out = zeros (R, C, 3, 'uint8');
  for ch = 1:3
    plane = bytes (img(:, :, min (ch, size (img, 3))));
    for s = 1:numel (strokes)
      plane(strokes{s}{1}, strokes{s}{2}) = strokes{s}{3}(:, :, ch);
    end
    out(:, :, ch) = plane;
  end

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

function plane = bytes (plane)
  % One plane of the image as uint8. uint8 rounds to nearest, sends NaN to
  % 0 and saturates, which clips 0..1 data at both ends.
  if isfloat (plane)
    plane = uint8 (255 * double (plane));
  elseif ~isa (plane, 'uint8')
    plane = uint8 (255 * winscore.internal.unitImage (plane));
  end
end

function strokes = band (b, w, rgb, R, C)
  % A frame w pixels wide along the inside of box b, cut to the image, as
  % four strokes {rows, columns, colour}.
  rows = {b(2):b(2) + w - 1, b(4) - w + 1:b(4), b(2):b(4), b(2):b(4)};
  cols = {b(1):b(3), b(1):b(3), b(1):b(1) + w - 1, b(3) - w + 1:b(3)};
  strokes = cell (1, 4);
  for side = 1:4
    r = rows{side};
    c = cols{side};
    strokes{side} = {r(r >= 1 & r <= R), c(c >= 1 & c <= C), reshape(rgb, 1, 1, 3)};
  end
end

function rgb = outline (colour)
  % Black around light colours, white around dark ones.
  if 0.299 * double (colour(1)) + 0.587 * double (colour(2)) + 0.114 * double (colour(3)) >= 128
    rgb = uint8 ([0 0 0]);
  else
    rgb = uint8 ([255 255 255]);
  end
end

function [colours, names] = palette ()
  colours = uint8 (round (255 * [1 1 1; 1 0 1; 0 1 1; 1 0.5 0; 0 0 0; 1 1 0; 1 0 0; ...
                                 0 0.75 0; 0 0 1; 0.55 0.3 0.1]));
  names = {'white', 'magenta', 'cyan', 'orange', 'black', 'yellow', 'red', 'green', 'blue', 'brown'};
end

function stroke = tag (y, x, text, rgb, scale, R, C)
  % TEXT in a filled box of colour RGB with its top-left corner at (y, x),
  % each font pixel SCALE x SCALE image pixels, cut to the image: one
  % stroke {rows, columns, patch}.
  glyphs = cell (1, numel (text));
  for k = 1:numel (text)
    glyphs{k} = [glyph(text(k)), zeros(5, 1)];
  end
  bitmap = [zeros(1, 4 * numel (text) + 1); zeros(5, 1), [glyphs{:}]; zeros(1, 4 * numel (text) + 1)];
  bitmap = kron (bitmap, ones (scale));
  [h, w] = size (bitmap);
  rows = y:min (y + h - 1, R);
  cols = x:min (x + w - 1, C);
  bitmap = bitmap(1:numel (rows), 1:numel (cols)) > 0;
  ink = outline (rgb);
  patch = zeros (numel (rows), numel (cols), 3, 'uint8');
  for ch = 1:3
    layer = repmat (rgb(ch), size (bitmap));
    layer(bitmap) = ink(ch);
    patch(:, :, ch) = layer;
  end
  stroke = {rows, cols, patch};
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
