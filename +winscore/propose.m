function [boxes, scores, varargout] = propose (img, varargin)
%PROPOSE  The windows of an image that stand out from their surroundings.
%   [BOXES, SCORES] = winscore.propose(IMG) finds the windows of IMG whose
%   colours differ most from a ring around them, best first. IMG is a grey
%   or RGB image of any numeric or logical class (as winscore.quantise
%   reads it). BOXES is K x 4, [xmin ymin xmax ymax], 1-based and inclusive
%   in the pixels of IMG, x counting columns; SCORES is K x 1, each in 0..2.
%
%   The steps: quantise the colours (winscore.quantise); make 'Candidates'
%   random windows, each side a fraction of the image's drawn uniformly
%   from 'WindowSize' (6% to 60%), placed uniformly; score each against its
%   ring (as winscore.contrast: the scores of TALLYPLANE's integral
%   histogram read by RINGDIFF, without building it, the colours quantised
%   in the same pass); draw 'Draws' of them in proportion to their scores,
%   without replacement (DRAWWEIGHTED); keep at most 'Keep' of the drawn
%   windows by greedy overlap suppression, best score first (GREEDYPICK,
%   as winscore.select).
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
%     'WindowSize'  [min max], the candidates' sides as fractions of the
%                   image's width and height, 0 < min <= max <= 1, default
%                   [0.06 0.6]. Raise max for objects that fill most of the
%                   picture.
%
%   Small objects: a candidate finds an object when its width, height and
%   position all come within a share of the object's size of it, so the
%   candidates near an object of side s fall about as s^4: half the size,
%   a sixteenth as many. To find small objects, raise 'Candidates' (the time
%   grows in proportion) or lower 'WindowSize' (fewer candidates go to
%   large windows).
%
%   An image in which every candidate scores 0 (one colour at 'Bins', as a
%   flat or all-NaN image is) gives no windows and the warning
%   winscore:propose:flatImage. Option names and text values may be char or
%   string, in any case, and shortened to a unique beginning ('cand').
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

  winscore.internal.counts ('propose', nargin, [1 Inf], nargout, 2, ...
                           'an image, then options as name-value pairs');
  opts = winscore.internal.options ('propose', struct ('Bins', 64, 'Candidates', 3000, ...
    'Surround', 50, 'Draws', 1500, 'Keep', 10, 'Seed', 1, 'MaxSide', Inf, ...
    'MaxBytes', 2 ^ 31, 'WindowSize', [0.06 0.6]), varargin);
  img = winscore.internal.checkImage ('propose', img);
  bins = winscore.internal.scalar ('propose', 'Bins', opts.Bins, 1, 2 ^ 31 - 1, true);
  winscore.internal.levels ('propose', bins, img);
  count = winscore.internal.scalar ('propose', 'Candidates', opts.Candidates, 1, 2 ^ 31 - 1, true);
  surround = winscore.internal.scalar ('propose', 'Surround', opts.Surround, -200, 2 ^ 31 - 1, false);
  draws = winscore.internal.scalar ('propose', 'Draws', opts.Draws, 1, Inf, true);
  keep = winscore.internal.scalar ('propose', 'Keep', opts.Keep, 0, Inf, true);
  seed = winscore.internal.scalar ('propose', 'Seed', opts.Seed, 0, 2 ^ 32 - 1, true);
  maxSide = winscore.internal.scalar ('propose', 'MaxSide', opts.MaxSide, 1, Inf, true);
  maxBytes = winscore.internal.scalar ('propose', 'MaxBytes', opts.MaxBytes, 0, Inf, false);
  sides = opts.WindowSize;
  if ~(isnumeric (sides) && isreal (sides) && numel (sides) == 2 && sides(1) > 0 ...
       && sides(1) <= sides(2) && sides(2) <= 1)
    winscore.internal.fail ('propose', 'badValue', '''WindowSize''', ...
                            '[min max] with 0 < min <= max <= 1', winscore.internal.describe (sides));
  end
  sides = double (sides(:))';

  [R, C, ~] = size (img);
  Rw = R;
  Cw = C;
  if max (R, C) > maxSide
    Rw = max (1, floor (R * maxSide / max (R, C)));
    Cw = max (1, floor (C * maxSide / max (R, C)));
    img = img(floor ((2 * (1:Rw) - 1) * R / (2 * Rw)) + 1, ...
              floor ((2 * (1:Cw) - 1) * C / (2 * Cw)) + 1, :);
  end
  guard (Rw, Cw, bins, count, min (draws, count), maxBytes);

  % winscore.contrast on the pixels, quantised in the same pass: the
  % candidates are sound by construction.
  candidates = windows (Rw, Cw, count, seed, sides);
  score = winscore.internal.ringcontrast ('pixels', full (img), bins, candidates, surround, Inf);
  if ~any (score > 0)
    winscore.internal.warn ('propose', 'flatImage', count, bins);
    boxes = zeros (0, 4);
    scores = zeros (0, 1);
    return;
  end
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

function b = windows (R, C, n, seed, sides)
  % n windows with sides of sides(1) to sides(2) of the image's (at least 1
  % pixel), placed uniformly inside it. For the default [0.06 0.6] the
  % span 0.6 - 0.06 is 0.54 exactly, so the sides are those of earlier
  % releases to the bit.
  u = reshape (winscore.internal.uniform (seed, 4 * n), n, 4);
  span = sides(2) - sides(1);
  w = max (round (C * (sides(1) + span * u(:, 1))), 1);
  h = max (round (R * (sides(1) + span * u(:, 2))), 1);
  xmin = 1 + floor ((C - w + 1) .* u(:, 3));
  ymin = 1 + floor ((R - h + 1) .* u(:, 4));
  b = [xmin, ymin, xmin + w - 1, ymin + h - 1];
end
