function [boxes, scores, varargout] = gridPeaks (A, B, varargin)
%GRIDPEAKS  The best windows of a coarse grid: local maxima of grid-window scores.
%   [BOXES, SCORES] = winscore.gridPeaks(A, B) takes two n x n maps of cell
%   values, scores every window of whole cells at least 'MinWidth' cells
%   wide and 'MinHeight' high by (sum of A) * (sum of B) / (number of
%   cells), and returns the local maxima of those scores: a window whose
%   score is positive and is the largest in its block, with no strictly
%   larger score within half a 'Neighbourhood' of it in each of its four
%   coordinates. BOXES is M x 4, [xmin ymin xmax ymax], in cells (1..n, x
%   counting columns); SCORES is M x 1; best first, equal scores in the
%   order the search found them.
%
%   Options (name-value pairs):
%     'MinWidth', 'MinHeight'  the smallest window scored, default 1 each.
%     'Neighbourhood'  the width of the suppression box, at least 1,
%                 default 3.
%     'CellSize'  s, or [sy sx]: boxes in pixels, cell (i, j) covering
%                 rows floor((i-1)*sy)+1 .. floor(i*sy) and columns
%                 floor((j-1)*sx)+1 .. floor(j*sx); for whole s that is
%                 (i-1)*s+1 .. i*s. For an R x C image cut into n x n
%                 cells, [R/n C/n]. Default 1 (cells).
%     'MaxBytes'  the largest score array built, 8*n^4 bytes, default 2^31
%                 (n = 128); a larger one is refused.
%
%   It builds the zero-bordered integral images of A and B, calls
%   GRIDSWEEP and then PEAKPICK with both sizes n, keeps the accepted
%   maxima, and gives their results bit for bit. With a 'Neighbourhood'
%   other than 1, 3 or 5, PEAKPICK can find more maxima than its outputs
%   hold for some n; it then refuses (winscore:peakpick:tooManyMaxima).
%
%   Example:
%     A = -ones (8);  A(2:3, 5:7) = 4;            % one bright patch
%     [boxes, scores] = winscore.gridPeaks (A, ones (8));
%     boxes(1, :)                                  % [5 2 7 3], the patch
%
%   See also WINSCORE.PROPOSE, GRIDSWEEP, PEAKPICK.

% SPDX-License-Identifier: MIT

  winscore.internal.counts ('gridPeaks', nargin, [2 Inf], nargout, 2, ...
                           'two n x n maps, then options as name-value pairs');
  opts = winscore.internal.options ('gridPeaks', struct ('MinWidth', 1, 'MinHeight', 1, ...
    'Neighbourhood', 3, 'CellSize', 1, 'MaxBytes', 2 ^ 31), varargin);
  n = size (A, 1);
  maps = {A, B};
  for k = 1:2
    m = maps{k};
    if ~(isnumeric (m) || islogical (m)) || ~isreal (m) || ndims (m) ~= 2 ...
       || size (m, 1) ~= n || size (m, 2) ~= n || n == 0 || ~all (isfinite (m(:)))
      winscore.internal.fail ('gridPeaks', 'badMaps', winscore.internal.describe (A), ...
                              winscore.internal.describe (B));
    end
    maps{k} = full (double (m));
  end
  minWidth = winscore.internal.scalar ('gridPeaks', 'MinWidth', opts.MinWidth, 1, Inf, true);
  minHeight = winscore.internal.scalar ('gridPeaks', 'MinHeight', opts.MinHeight, 1, Inf, true);
  neighbourhood = winscore.internal.scalar ('gridPeaks', 'Neighbourhood', opts.Neighbourhood, ...
                                            1, 2 ^ 31 - 1, false);
  maxBytes = winscore.internal.scalar ('gridPeaks', 'MaxBytes', opts.MaxBytes, 0, Inf, false);
  cellSize = opts.CellSize;
  if ~(isnumeric (cellSize) && isreal (cellSize) && any (numel (cellSize) == [1 2]) ...
       && all (isfinite (cellSize(:)) & cellSize(:) > 0))
    winscore.internal.fail ('gridPeaks', 'badValue', '''CellSize''', ...
                            'one or two positive finite numbers, s or [sy sx]', ...
                            winscore.internal.describe (cellSize));
  end
  cellSize = double (cellSize);
  if isscalar (cellSize)
    cellSize = [cellSize cellSize];
  end
  bytes = 8 * n ^ 4;
  if bytes > maxBytes
    winscore.internal.fail ('gridPeaks', 'gridTooLarge', n, n, bytes, bytes / 2 ^ 20, maxBytes);
  end

  S = gridsweep (zeros (64), n, min (minWidth, n + 1), min (minHeight, n + 1), 0, ...
                 integral (maps{1}), integral (maps{2}));
  [x0, y0, x1, y1, s] = peakpick (S, n, n, neighbourhood);
  found = find (s(:) > 0);
  [~, order] = sort (-s(found));
  found = found(order);
  scores = reshape (s(found), [], 1);
  boxes = [reshape(x0(found), [], 1), reshape(y0(found), [], 1), ...
           reshape(x1(found), [], 1), reshape(y1(found), [], 1)];
  if any (cellSize ~= 1)
    sy = cellSize(1);
    sx = cellSize(2);
    boxes = [floor((boxes(:, 1) - 1) * sx) + 1, floor((boxes(:, 2) - 1) * sy) + 1, ...
             floor(boxes(:, 3) * sx), floor(boxes(:, 4) * sy)];
  end
end

function T = integral (v)
  % Zero-bordered: T(r+1, c+1) is the sum over rows 1..r and columns 1..c.
  n = size (v, 1);
  T = zeros (n + 1);
  T(2:end, 2:end) = cumsum (cumsum (v, 1), 2);
end
