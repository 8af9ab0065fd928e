function idx = sample (scores, n, varargin)
%SAMPLE  Draw indices at random in proportion to their scores.
%   IDX = winscore.sample(SCORES, N) draws N indices into SCORES without
%   replacement, each draw taking an index with probability proportional to
%   its score among those not yet drawn. IDX is an N x 1 column of 1-based
%   indices in the order drawn.
%
%   Options (name-value pairs):
%     'Replace'  true to draw with replacement (an index may come back),
%                default false.
%
%   SCORES is a vector of finite scores, none negative. Without replacement
%   N may not exceed the number of positive scores: an index with score 0
%   is then never drawn.
%
%   It is DRAWWEIGHTED(SCORES, N, REPLACE) turned into a column, and gives
%   its draws: they continue the plug-in's own random sequence, which
%   carries over from call to call and starts afresh when the plug-in is
%   loaded (CLEAR DRAWWEIGHTED restarts it); the host's RAND is not used.
%   Each draw takes one of 32768 evenly spaced targets; the top one lands
%   on the last index whatever its weight, so once in 32768 draws on
%   average, a draw without replacement can return the last index again.
%
%   Example:
%     clear drawweighted                         % a repeatable sequence
%     idx = winscore.sample ([5 1 0 4], 2)       % two of 1, 2, 4; never 3
%     many = winscore.sample ([1 3], 1000, 'Replace', true);
%     mean (many == 2)                           % about 0.75
%
%   See also WINSCORE.SELECT, DRAWWEIGHTED.

% SPDX-License-Identifier: MIT

  if nargin < 2
    error ('winscore:sample:inputs', 'winscore.sample: expects scores and a count');
  end
  opts = winscore.internal.options ('sample', struct ('Replace', false), varargin);
  if ~(isnumeric (scores) || islogical (scores)) || ~isreal (scores) ...
     || ~(isvector (scores) || isempty (scores)) || any (~isfinite (scores(:)) | scores(:) < 0)
    error ('winscore:sample:scores', ...
           'winscore.sample: scores must be a vector of finite real numbers, none negative');
  end
  replace = winscore.internal.scalar ('sample', 'Replace', opts.Replace, 0, 1, true);
  n = winscore.internal.scalar ('sample', 'n', n, 0, 2 ^ 31 - 1, true);
  if n == 0
    idx = zeros (0, 1);
    return;
  end
  scores = double (scores(:));
  positive = sum (scores > 0);
  if ~replace && n > positive
    error ('winscore:sample:tooManyDraws', ...
           'winscore.sample: %d draws without replacement, but only %d scores are positive', ...
           n, positive);
  end
  if replace && positive == 0
    error ('winscore:sample:noPositive', ...
           'winscore.sample: no score is positive, so nothing can be drawn');
  end
  idx = drawweighted (scores, n, replace);
  idx = idx(:);
end
