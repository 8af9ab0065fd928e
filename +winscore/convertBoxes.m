function [out, varargout] = convertBoxes (boxes, from, to, varargin)
%CONVERTBOXES  Boxes from one corner convention to another.
%   OUT = winscore.convertBoxes(BOXES, FROM, TO) rewrites the N x 4 matrix
%   BOXES, one box per row, from the format FROM to the format TO:
%     'corners'  [xmin ymin xmax ymax], 1-based, both ends inclusive: the
%                toolbox's own, what every winscore function takes.
%     'xywh'     [x y width height], 1-based (MATLAB's vision toolbox).
%     'opencv'   [x y width height], 0-based (OpenCV's Rect).
%     'xyxy0'    [x0 y0 x1 y1], 0-based, right and bottom exclusive
%                (torchvision).
%   x counts columns. A box of whole numbers converts exactly; fractional
%   boxes (a detector's) go through the same arithmetic: xmin = x + 1 from
%   0-based formats, xmax = x + width - 1 from a width, xmax = x1 from
%   xyxy0. OUT is N x 4 double. Format names are matched without regard to
%   case, and a unique beginning is enough ('cor').
%
%   Example:
%     winscore.convertBoxes ([10 20 30 40], 'xywh', 'corners')     % [10 20 39 59]
%     winscore.convertBoxes ([9 19 30 40], 'opencv', 'corners')    % [10 20 39 59]
%     winscore.convertBoxes ([10 20 39 59], 'corners', 'xyxy0')    % [9 19 39 59]
%
%   See also WINSCORE.PROPOSE, WINSCORE.CONTRAST, WINSCORE.DRAW.

% SPDX-License-Identifier: MIT

  winscore.internal.counts ('convertBoxes', nargin, 3, nargout, 1, ...
                           'boxes, the format they are in and the format wanted');
  boxes = winscore.internal.boxes ('convertBoxes', boxes, 'shape');
  formats = {'corners', 'xywh', 'opencv', 'xyxy0'};
  from = winscore.internal.choice ('convertBoxes', 'from', from, formats);
  to = winscore.internal.choice ('convertBoxes', 'to', to, formats);
  x = boxes(:, 1); y = boxes(:, 2); a = boxes(:, 3); b = boxes(:, 4);
  switch from
    case 'xywh'
      c = [x, y, x + a - 1, y + b - 1];
    case 'opencv'
      c = [x + 1, y + 1, x + a, y + b];
    case 'xyxy0'
      c = [x + 1, y + 1, a, b];
    otherwise
      c = boxes;
  end
  switch to
    case 'xywh'
      out = [c(:, 1:2), c(:, 3:4) - c(:, 1:2) + 1];
    case 'opencv'
      out = [c(:, 1:2) - 1, c(:, 3:4) - c(:, 1:2) + 1];
    case 'xyxy0'
      out = [c(:, 1:2) - 1, c(:, 3:4)];
    otherwise
      out = c;
  end
end
