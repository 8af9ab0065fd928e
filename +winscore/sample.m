function [idx, varargout] = sample (scores, n, varargin)
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
%   is then never drawn. Scores so large that their sum overflows (1e308
%   each) are first scaled by one power of two, which keeps every ratio
%   exact, so the draws stay in proportion.
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

  winscore.internal.counts ('sample', nargin, [2 Inf], nargout, 1, ...
                           'scores and a count, then options as name-value pairs');
  opts = winscore.internal.options ('sample', struct ('Replace', false), varargin);
  if ~(isnumeric (scores) || islogical (scores)) || ~isreal (scores) ...
     || ~(isvector (scores) || isempty (scores))
    winscore.internal.fail ('sample', 'badScores', winscore.internal.describe (scores));
  end
  scores = full (double (scores(:)));
  bad = find (~isfinite (scores) | scores < 0, 1);
  if ~isempty (bad)
    winscore.internal.fail ('sample', 'badScore', bad, scores(bad));
  end
  replace = winscore.internal.scalar ('sample', 'Replace', opts.Replace, 0, 1, true);
  n = winscore.internal.scalar ('sample', 'n', n, 0, 2 ^ 31 - 1, true);
  if n == 0
    idx = zeros (0, 1);
    return;
  end
  if isinf (sum (scores))
    % By a power of two below 1 / numel over the largest: the sum becomes
    % finite and every ratio stays exact, but for scores under 2^-1000 of
    % the largest, which may fall to 0 (their chance was below that).
    [~, e] = log2 (max (scores));
    [~, f] = log2 (numel (scores));
    scores = scores * 2 ^ (-e - f);
  end
  positive = sum (scores > 0);
  if ~replace && n > positive
    winscore.internal.fail ('sample', 'tooManyDraws', n, positive);
  end
  if replace && positive == 0
    winscore.internal.fail ('sample', 'noPositive');
  end
  idx = drawweighted (scores, n, replace);
  idx = idx(:);
end
