function [idx, varargout] = select (boxes, scores, varargin)
%SELECT  Greedy overlap suppression: the best windows that overlap little.
%   IDX = winscore.select(BOXES, SCORES) walks the windows in descending
%   order of SCORES (equal scores keep their order in the list), keeps a
%   window, drops every later one whose overlap with it exceeds one half,
%   and goes on with the next window not dropped, until the list runs out.
%   IDX is a column of the 1-based row numbers of the kept windows in
%   BOXES, best first. [IDX, B, S] = winscore.select(...) also gives their
%   boxes B = BOXES(IDX, :) and scores S (a column).
%
%   BOXES is N x 4, [xmin ymin xmax ymax], 1-based and inclusive; corners
%   may be fractional, as detectors give them. SCORES has N real elements,
%   none NaN. The overlap is intersection over union, counting pixels at
%   both ends, with each area (xmax-xmin+1)*(ymax-ymin+1) computed from its
%   box (winscore.overlap gives it). Only kept windows drop others; an
%   overlap equal to the threshold does not drop.
%
%   Options (name-value pairs):
%     'Keep'              at most this many windows (default Inf)
%     'OverlapThreshold'  drop windows whose overlap with a kept one exceeds
%                         this, in 0..1 (default 0.5)
%     'ScoreThreshold'    leave out windows scoring below this (default -Inf)
%   IDX = winscore.select(BOXES, SCORES, K, ...) is 'Keep', K.
%
%   At the default threshold it keeps what GREEDYPICK keeps on the windows
%   sorted by score and padded to its fixed list of 100000; any number of
%   windows and any threshold run the same walk without the padding.
%
%   Example:
%     boxes = [1 1 10 10; 4 1 13 10; 6 1 15 10; 30 30 40 40];
%     idx = winscore.select (boxes, [0.9 0.8 0.7 0.5])        % [1; 3; 4]
%     % box 2 overlaps box 1 by 70/130, box 3 overlaps it by 50/150
%     idx = winscore.select (boxes, [0.9 0.8 0.7 0.5], 'OverlapThreshold', 0.3)
%     % [1; 4]: box 3's 1/3 now drops it too
%
%   See also WINSCORE.OVERLAP, WINSCORE.PROPOSE, GREEDYPICK.

% SPDX-License-Identifier: MIT

  if nargin < 2
    winscore.internal.fail ('select', 'inputs', 'boxes, scores and options');
  end
  if nargout > 3
    winscore.internal.fail ('select', 'outputs', 3);
  end
  args = varargin;
  if ~isempty (args) && (isnumeric (args{1}) || islogical (args{1}))
    args = [{'Keep'}, args];
  end
  opts = winscore.internal.options ('select', ...
    struct ('Keep', Inf, 'OverlapThreshold', 0.5, 'ScoreThreshold', -Inf), args);
  keep = winscore.internal.scalar ('select', 'Keep', opts.Keep, 0, Inf, true);
  threshold = winscore.internal.scalar ('select', 'OverlapThreshold', opts.OverlapThreshold, ...
                                       0, 1, false);
  floorScore = winscore.internal.scalar ('select', 'ScoreThreshold', opts.ScoreThreshold, ...
                                        -Inf, Inf, false);
  boxes = winscore.internal.boxes ('select', boxes);
  N = size (boxes, 1);
  if ~(isnumeric (scores) || islogical (scores)) || ~isreal (scores) || numel (scores) ~= N ...
     || any (isnan (scores(:)))
    winscore.internal.fail ('select', 'scores', N, numel (scores), class (scores));
  end
  scores = full (double (scores(:)));

  % sort is stable, so equal scores keep their list order; ascending on the
  % negated scores keeps it in every host.
  candidates = find (scores >= floorScore);
  [~, order] = sort (-scores(candidates));
  order = candidates(order);
  rows = winscore.internal.greedyselect (boxes(order, :), threshold, min (keep, numel (order)));
  idx = order(rows);
  idx = idx(:);
  if nargout > 1
    varargout{1} = boxes(idx, :);
  end
  if nargout > 2
    varargout{2} = scores(idx);
  end
end
