function idx = select (boxes, scores, k)
%SELECT  Greedy overlap suppression: the best windows that overlap little.
%   IDX = winscore.select(BOXES, SCORES, K) walks the windows in descending
%   order of SCORES (equal scores keep their order in the list), keeps a
%   window, drops every later one whose overlap with it exceeds one half,
%   and goes on with the next window not dropped, until K windows are kept
%   or the list runs out. IDX is a column of the 1-based row numbers of the
%   kept windows in BOXES, best first.
%
%   BOXES is N x 4, [xmin ymin xmax ymax], whole numbers, 1-based and
%   inclusive; SCORES has N elements (not NaN); N is at most 100000. The
%   overlap is intersection over union, counting pixels at both ends, with
%   each area (xmax-xmin+1)*(ymax-ymin+1) computed from its box. Only kept
%   windows drop others; an overlap of exactly one half does not.
%
%   It is GREEDYPICK on the windows sorted by score and padded to its fixed
%   list of 100000 with windows that overlap nothing, with its 0-based list
%   positions turned back into row numbers, and gives the same windows.
%
%   Example:
%     boxes = [1 1 10 10; 4 1 13 10; 6 1 15 10; 30 30 40 40];
%     idx = winscore.select (boxes, [0.9 0.8 0.7 0.5], 3)   % [1; 3; 4]
%     % box 2 overlaps box 1 by 70/130, box 3 overlaps it by 50/150
%
%   See also WINSCORE.PROPOSE, GREEDYPICK.

% SPDX-License-Identifier: MIT

  if nargin ~= 3
    error ('winscore:select:inputs', 'winscore.select: expects boxes, scores and a count');
  end
  boxes = winscore.internal.boxes ('select', boxes);
  N = size (boxes, 1);
  listLength = 100000;
  if N > listLength
    error ('winscore:select:tooManyBoxes', ...
           'winscore.select: at most %d boxes, not %d', listLength, N);
  end
  if ~(isnumeric (scores) || islogical (scores)) || ~isreal (scores) ...
     || numel (scores) ~= N || any (isnan (scores(:)))
    error ('winscore:select:scores', ...
           'winscore.select: scores must be %d real numbers, one per box, none NaN', N);
  end
  k = winscore.internal.scalar ('select', 'k', k, 0, Inf, true);
  k = min (k, N);
  if k == 0
    idx = zeros (0, 1);
    return;
  end
  % sort is stable, so equal scores keep their list order; ascending on the
  % negated scores keeps it in every host.
  [~, order] = sort (-double (scores(:)));
  list = boxes(order, :);
  % Padding: one-pixel windows far outside any image, behind the real ones,
  % so they suppress nothing that counts.
  pad = -10 * ones (listLength - N, 4);
  list = [list; pad];
  areas = (list(:, 3) - list(:, 1) + 1) .* (list(:, 4) - list(:, 2) + 1);
  positions = greedypick (areas, 0, list(:, 1), list(:, 2), list(:, 3), list(:, 4), k);
  positions = positions(positions >= 0 & positions < N);
  idx = order(positions + 1);
  idx = idx(:);
end
