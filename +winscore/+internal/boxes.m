function b = boxes (caller, b, R, C)
%BOXES  Checked windows: an N x 4 double matrix [xmin ymin xmax ymax].
%   B = winscore.internal.boxes(CALLER, B) requires a real numeric N x 4
%   matrix (0 x 4 or [] for none) of whole numbers with xmin <= xmax and
%   ymin <= ymax, and returns it as doubles. B = ...(CALLER, B, R, C) also
%   requires every box to lie in an R x C image and names the first one
%   that does not.

% SPDX-License-Identifier: MIT

  if isempty (b) && (isnumeric (b) || islogical (b))
    b = zeros (0, 4);
    return;
  end
  if ~(isnumeric (b) || islogical (b)) || ~isreal (b) || ndims (b) ~= 2 || size (b, 2) ~= 4
    error (['winscore:' caller ':boxes'], ...
           'winscore.%s: boxes must be a real N x 4 matrix [xmin ymin xmax ymax]', caller);
  end
  b = double (b);
  bad = find (any (b ~= floor (b) | isinf (b), 2) | b(:, 3) < b(:, 1) | b(:, 4) < b(:, 2), 1);
  if ~isempty (bad)
    error (['winscore:' caller ':boxes'], ...
           'winscore.%s: box %d, [%s], is not whole numbers with xmin <= xmax and ymin <= ymax', ...
           caller, bad, sprintf ('%g %g %g %g', b(bad, :)));
  end
  if nargin > 2
    bad = find (b(:, 1) < 1 | b(:, 2) < 1 | b(:, 3) > C | b(:, 4) > R, 1);
    if ~isempty (bad)
      error (['winscore:' caller ':boxOutside'], ...
             'winscore.%s: box %d, [%s], does not lie in the %d x %d image', ...
             caller, bad, sprintf ('%g %g %g %g', b(bad, :)), R, C);
    end
  end
end
