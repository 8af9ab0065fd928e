function R = overlap (A, B, varargin)
%OVERLAP  Overlap ratios between two lists of boxes.
%   R = winscore.overlap(A, B) is the N x M matrix whose element (i, j) is
%   the overlap of box i of A with box j of B as intersection over union,
%   the measure winscore.select and GREEDYPICK use. Bounds are inclusive:
%   with iw = (min(xmax) - max(xmin)) + 1 and ih likewise, two boxes with
%   iw or ih not above 0 overlap 0, and otherwise
%   R = ih*iw / ((areaA + areaB) - ih*iw), each area
%   (xmax-xmin+1)*(ymax-ymin+1), computed in that order.
%
%   R = winscore.overlap(A, B, 'Ratio', 'min') divides the intersection by
%   the smaller of the two areas instead ('union' is the default).
%
%   A is N x 4 and B is M x 4, [xmin ymin xmax ymax], 1-based; corners may
%   be fractional.
%
%   Example:
%     R = winscore.overlap ([1 1 10 10], [4 1 13 10; 6 1 15 10; 11 1 20 10])
%     % [70/130 50/150 0]
%     R = winscore.overlap ([1 1 10 10], [3 3 6 6], 'Ratio', 'min')   % 1
%
%   See also WINSCORE.SELECT, GREEDYPICK.

% SPDX-License-Identifier: MIT

  if nargin < 2
    winscore.internal.fail ('overlap', 'inputs', 'two lists of boxes and options');
  end
  opts = winscore.internal.options ('overlap', struct ('Ratio', 'union'), varargin);
  ratio = opts.Ratio;
  if ~ischar (ratio) || ~any (strcmpi (ratio, {'union', 'min'}))
    winscore.internal.fail ('overlap', 'ratioKind', class (ratio));
  end
  A = winscore.internal.boxes ('overlap', A);
  B = winscore.internal.boxes ('overlap', B);
  iw = bsxfun (@minus, bsxfun (@min, A(:, 3), B(:, 3)'), bsxfun (@max, A(:, 1), B(:, 1)')) + 1;
  ih = bsxfun (@minus, bsxfun (@min, A(:, 4), B(:, 4)'), bsxfun (@max, A(:, 2), B(:, 2)')) + 1;
  inter = ih .* iw;
  areaA = (A(:, 3) - A(:, 1) + 1) .* (A(:, 4) - A(:, 2) + 1);
  areaB = (B(:, 3) - B(:, 1) + 1) .* (B(:, 4) - B(:, 2) + 1);
  if strcmpi (ratio, 'union')
    R = inter ./ (bsxfun (@plus, areaA, areaB') - inter);
  else
    R = inter ./ bsxfun (@min, areaA, areaB');
  end
  R(~(iw > 0) | ~(ih > 0)) = 0;
end
