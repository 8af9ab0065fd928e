function [boxes, scores] = propose (img, varargin)
%PROPOSE  The windows of an image that stand out from their surroundings.
%   [BOXES, SCORES] = winscore.propose(IMG) finds the windows of IMG whose
%   colours differ most from a ring around them, best first. IMG is a grey
%   or RGB image of any numeric or logical class (as winscore.quantise
%   reads it). BOXES is K x 4, [xmin ymin xmax ymax], 1-based and inclusive
%   in the pixels of IMG, x counting columns; SCORES is K x 1, each in 0..2.
%
%   The steps: quantise the colours (winscore.quantise); make 'Candidates'
%   random windows, each side 6% to 60% of the image's, placed uniformly;
%   score each against its ring (as winscore.contrast: the scores of
%   TALLYPLANE's integral histogram read by RINGDIFF, without building it,
%   the colours quantised in the same pass); draw 'Draws' of them in
%   proportion to their scores, without replacement (DRAWWEIGHTED); keep at
%   most 'Keep' of the drawn windows by greedy overlap suppression, best
%   score first (GREEDYPICK, as winscore.select).
%
%   Options (name-value pairs):
%     'Bins'        colour bins, default 64 (a cube for RGB: 4 levels per
%                   channel).
%     'Candidates'  random windows scored, default 3000.
%     'Surround'    ring size in percent of the window, default 50.
%     'Draws'       windows drawn by score, default 1500 (at most
%                   'Candidates').
%     'Keep'        the most windows returned, default 10.
%     'Seed'        the candidate windows' seed, a whole number in
%                   0..2^32-1, default 1.
%     'MaxSide'     work on a copy shrunk so that its longer side is at
%                   most this, default Inf (full size). Boxes are mapped
%                   back to IMG's pixels; scores are those of the copy.
%     'MaxBytes'    the most working memory the call may hold, default
%                   2^31 bytes: about 150 bytes per candidate, plus a few
%                   MB (7 MB with the defaults on 1024 x 768; 'Bins' times
%                   the rows, times 2, for the contrast). A call that would
%                   hold more is refused, naming the option to lower.
%
%   Repeatable: the candidates come from the toolbox's own generator
%   seeded by 'Seed' (the same in every host; RAND's state is untouched),
%   and the draws restart DRAWWEIGHTED's sequence first, as CLEAR
%   DRAWWEIGHTED does, so the same call gives the same boxes, in any
%   order of calls and in parallel workers. A caller of DRAWWEIGHTED sees
%   its sequence restarted after a call of winscore.propose.
%
%   The shrunken copy takes, for each of its pixels, the pixel of IMG at
%   the centre of the block it stands for: with Rw of R rows, row i takes
%   row floor((2i-1)*R/(2*Rw))+1 and stands for rows floor((i-1)*R/Rw)+1
%   .. floor(i*R/Rw); columns alike. Boxes map back to those spans.
%
%   Example:
%     img = zeros (120, 160, 3);  img(:, :, 3) = 0.6;    % blue
%     img(30:60, 40:90, 1) = 1;                          % a magenta block
%     [boxes, scores] = winscore.propose (img, 'Keep', 3);
%     boxes(1, :), scores(1)      % a window on the block, scoring about 1
%
%   See also WINSCORE.DRAW, WINSCORE.QUANTISE, WINSCORE.CONTRAST,
%   WINSCORE.SELECT, WINSCORE.GRIDPEAKS.

% SPDX-License-Identifier: MIT

  if nargin < 1
    error ('winscore:propose:inputs', 'winscore.propose: expects an image');
  end
  opts = winscore.internal.options ('propose', struct ('Bins', 64, 'Candidates', 3000, ...
    'Surround', 50, 'Draws', 1500, 'Keep', 10, 'Seed', 1, 'MaxSide', Inf, ...
    'MaxBytes', 2 ^ 31), varargin);
  winscore.internal.checkImage ('propose', img);
  bins = winscore.internal.scalar ('propose', 'Bins', opts.Bins, 1, 2 ^ 31 - 1, true);
  count = winscore.internal.scalar ('propose', 'Candidates', opts.Candidates, 1, 2 ^ 31 - 1, true);
  surround = winscore.internal.scalar ('propose', 'Surround', opts.Surround, -200, 2 ^ 31 - 1, false);
  draws = winscore.internal.scalar ('propose', 'Draws', opts.Draws, 1, Inf, true);
  keep = winscore.internal.scalar ('propose', 'Keep', opts.Keep, 0, Inf, true);
  seed = winscore.internal.scalar ('propose', 'Seed', opts.Seed, 0, 2 ^ 32 - 1, true);
  maxSide = winscore.internal.scalar ('propose', 'MaxSide', opts.MaxSide, 1, Inf, true);
  maxBytes = winscore.internal.scalar ('propose', 'MaxBytes', opts.MaxBytes, 0, Inf, false);

  [R, C, ~] = size (img);
  Rw = R;
  Cw = C;
  if max (R, C) > maxSide
    Rw = max (1, floor (R * maxSide / max (R, C)));
    Cw = max (1, floor (C * maxSide / max (R, C)));
    img = img(floor ((2 * (1:Rw) - 1) * R / (2 * Rw)) + 1, ...
              floor ((2 * (1:Cw) - 1) * C / (2 * Cw)) + 1, :);
  end
  if size (img, 3) == 3 && round (bins ^ (1 / 3)) ^ 3 ~= bins
    winscore.quantise (img(1, 1, :), bins);   % its error on a bin count that is no cube
  end
  guard (Rw, Cw, bins, count, min (draws, count), maxBytes);

  % winscore.contrast on the pixels, quantised in the same pass: the
  % candidates are sound by construction.
  candidates = windows (Rw, Cw, count, seed);
  score = winscore.internal.ringcontrast ('pixels', full (img), bins, candidates, surround, Inf);
  clear ('drawweighted');
  drawn = drawweighted (score, min (draws, count), 0);
  kept = drawn(winscore.select (candidates(drawn, :), score(drawn), keep));
  kept = kept(:);
  boxes = candidates(kept, :);
  scores = score(kept);
  if Rw ~= R || Cw ~= C
    boxes = [floor((boxes(:, 1) - 1) * C / Cw) + 1, floor((boxes(:, 2) - 1) * R / Rw) + 1, ...
             floor(boxes(:, 3) * C / Cw), floor(boxes(:, 4) * R / Rw)];
  end
end

function guard (R, C, bins, count, draws, maxBytes)
  % Refuses a call that would hold more than maxBytes: per candidate, the
  % generator's states while they double (16 doubles) and the score with
  % its host copy; per draw, the drawn list and its boxes; the selection's
  % fixed list of 100000 windows; and the contrast kernel's working memory.
  if R * C > 2 ^ 31 - 1
    winscore.internal.fail ('propose', 'tooManyPixels', R * C, C, R, 'set ''MaxSide''');
  end
  kernel = winscore.internal.ringcontrast ('bytes', R, C, bins, count);
  perCandidate = 144 * count;
  bytes = perCandidate + 80 * draws + 4e6 + kernel;
  if bytes > maxBytes
    if perCandidate >= kernel
      advice = 'lower ''Candidates''';
    else
      advice = 'use fewer ''Bins'' or set ''MaxSide''';
    end
    winscore.internal.fail ('propose', 'tooMuchMemory', bytes / 2 ^ 20, maxBytes / 2 ^ 20, advice);
  end
end

function b = windows (R, C, n, seed)
  % n windows with sides of 6% to 60% of the image's (at least 1 pixel),
  % placed uniformly inside it.
  u = reshape (winscore.internal.uniform (seed, 4 * n), n, 4);
  w = max (round (C * (0.06 + 0.54 * u(:, 1))), 1);
  h = max (round (R * (0.06 + 0.54 * u(:, 2))), 1);
  xmin = 1 + floor ((C - w + 1) .* u(:, 3));
  ymin = 1 + floor ((R - h + 1) .* u(:, 4));
  b = [xmin, ymin, xmin + w - 1, ymin + h - 1];
end
