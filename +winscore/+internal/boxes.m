function b = boxes (caller, b, R, C)
%BOXES  Checked windows: an N x 4 double matrix [xmin ymin xmax ymax].
%   B = winscore.internal.boxes(CALLER, B) requires a real numeric N x 4
%   matrix (0 x 4 or [] for none) of finite numbers, one box per row, with
%   xmin <= xmax and ymin <= ymax, and returns it as full doubles;
%   fractional corners pass. B = ...(CALLER, B, R, C) also requires whole
%   numbers and every box to lie in an R x C image. B = ...(CALLER, B,
%   'shape') checks the shape and the finite values only. An error names the
%   first box at fault, and the format the list looks like when its
%   numbers fit [x y w h] or a 0-based format better.

% SPDX-License-Identifier: MIT

  if isempty (b) && (isnumeric (b) || islogical (b)) && size (b, 1) ~= 4
    b = zeros (0, 4);
    return;
  end
  if ~(isnumeric (b) || islogical (b)) || ~isreal (b) || ndims (b) ~= 2
    winscore.internal.fail (caller, 'boxesShape', winscore.internal.describe (b));
  end
  if size (b, 2) ~= 4 && size (b, 1) == 4
    winscore.internal.fail (caller, 'boxesTransposed', size (b, 2));
  elseif size (b, 2) ~= 4
    winscore.internal.fail (caller, 'boxesShape', winscore.internal.describe (b));
  end
  b = full (double (b));
  bad = find (~all (isfinite (b), 2), 1);
  if ~isempty (bad)
    winscore.internal.fail (caller, 'boxNotFinite', bad, corners (b(bad, :)));
  end
  if nargin == 3
    return;
  end
  bad = find (b(:, 3) < b(:, 1) | b(:, 4) < b(:, 2), 1);
  if ~isempty (bad)
    winscore.internal.fail (caller, 'boxOrder', bad, corners (b(bad, :)), hint (b));
  end
  if nargin > 2
    bad = find (any (b ~= floor (b), 2), 1);
    if ~isempty (bad)
      winscore.internal.fail (caller, 'boxNotWhole', bad, corners (b(bad, :)));
    end
    bad = find (b(:, 1) < 1 | b(:, 2) < 1 | b(:, 3) > C | b(:, 4) > R, 1);
    if ~isempty (bad)
      winscore.internal.fail (caller, 'boxOutside', bad, corners (b(bad, :)), C, R, hint (b));
    end
  end
end

function s = corners (row)
  s = sprintf ('%g %g %g %g', row);
end

function s = hint (b)
  % The format a list that fails as corners fits better: widths and heights
  % below the corners they would follow are [x y w h]; a 0 among the
  % coordinates, with none negative, is a 0-based format.
  sized = any (b(:, 3) < b(:, 1) | b(:, 4) < b(:, 2)) && all (all (b(:, 3:4) >= 1));
  zeroBased = any (any (b == 0)) && all (b(:) >= 0);
  looks = '';
  if sized && zeroBased
    looks = 'looksOpencv';
  elseif sized
    looks = 'looksXywh';
  elseif zeroBased
    looks = 'looksXyxy0';
  end
  s = '';
  if ~isempty (looks)
    table = winscore.internal.message ();
    s = table.(looks);
  end
end
