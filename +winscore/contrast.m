function [scores, bytes, varargout] = contrast (q, boxes, varargin)
%CONTRAST  Centre-surround colour contrast of windows in a quantised image.
%   SCORES = winscore.contrast(Q, BOXES) scores each window by the
%   chi-square distance between the bin histogram of its pixels and that of
%   a ring around it (the window enlarged on every side, clipped to the
%   image, minus the window): 0 when the ring looks like the window, up to 2
%   when they share no bin. Q is an R x C matrix of bin numbers 1..B (from
%   winscore.quantise); BOXES is N x 4, [xmin ymin xmax ymax], 1-based and
%   inclusive, x counting columns. SCORES is N x 1, in the order of BOXES.
%
%   [SCORES, BYTES] = winscore.contrast(...) also returns the working
%   memory the call held, in bytes (about 10 MB for 1024 x 768 at 64 bins
%   and 3000 boxes: no integral histogram is built).
%
%   Options (name-value pairs):
%     'Bins'      B, default max(Q(:)).
%     'Surround'  how much larger the surround box is than the window, in
%                 percent of its width and height, default 50 (truncated
%                 toward zero; at least -200).
%     'MaxBytes'  the most working memory the call may hold, default 2^31
%                 bytes; a call that would hold more (many bins on a large
%                 image, or millions of boxes) is refused with an error
%                 that gives its size.
%
%   It gives the results of TALLYPLANE(Q, R, C, B) then RINGDIFF on the
%   four columns of BOXES, with R and C from size(Q), bit for bit, without
%   building the integral histogram. Every value of Q must be a whole
%   number in 1..B (an image not yet quantised is refused, naming
%   winscore.quantise), and every box must be whole numbers and lie in the
%   image: the first one that does not is named, with the format the list
%   looks like when it fits [x y w h] or a 0-based one better (see
%   winscore.convertBoxes).
%
%   Example:
%     q = ones (20, 20);  q(6:10, 6:10) = 2;        % a square of bin 2
%     s = winscore.contrast (q, [6 6 10 10; 15 15 19 19], 'Surround', 100)
%     % s(1) is 2 (the square against a plain ring), s(2) is 0
%
%   See also WINSCORE.QUANTISE, WINSCORE.PROPOSE, TALLYPLANE, RINGDIFF.

% SPDX-License-Identifier: MIT

  winscore.internal.counts ('contrast', nargin, [2 Inf], nargout, 2, ...
                           'a quantised image and boxes, then options as name-value pairs');
  if ~(isnumeric (q) || islogical (q)) || ~isreal (q) || ndims (q) ~= 2 || isempty (q)
    winscore.internal.fail ('contrast', 'notQuantised', winscore.internal.describe (q));
  end
  q = full (double (q));
  opts = winscore.internal.options ('contrast', ...
    struct ('Bins', [], 'Surround', 50, 'MaxBytes', 2 ^ 31), varargin);
  [R, C] = size (q);
  top = max (q(:));
  if isempty (opts.Bins)
    B = top;
  else
    B = winscore.internal.scalar ('contrast', 'Bins', opts.Bins, 1, 2 ^ 31 - 1, true);
  end
  if ~(min (q(:)) >= 1 && top <= B && all (q(:) == floor (q(:))))
    if isempty (opts.Bins)
      B = 'B';
    end
    winscore.internal.fail ('contrast', 'binRange', num2str (B), held (q));
  end
  p = winscore.internal.scalar ('contrast', 'Surround', opts.Surround, -200, 2 ^ 31 - 1, false);
  maxBytes = winscore.internal.scalar ('contrast', 'MaxBytes', opts.MaxBytes, 0, Inf, false);
  boxes = winscore.internal.boxes ('contrast', boxes, R, C);

  % What the call holds: the kernel's working memory, a double copy of Q,
  % the boxes and the scores (returned and copied once more by the host).
  N = size (boxes, 1);
  if R * C > 2 ^ 31 - 1
    winscore.internal.fail ('contrast', 'tooManyPixels', R * C, C, R, 'score a part of it');
  end
  bytes = winscore.internal.ringcontrast ('bytes', R, C, B, N) + 8 * R * C + 48 * N;
  if bytes > maxBytes
    winscore.internal.fail ('contrast', 'tooMuchMemory', bytes / 2 ^ 20, maxBytes / 2 ^ 20, ...
                            'score fewer boxes at a time or use fewer bins');
  end
  scores = winscore.internal.ringcontrast ('bins', q, B, boxes, p, Inf);
end

function s = held (q)
  % What a quantised image holds, as the message on a bad one shows it.
  s = sprintf ('%s..%s', num2str (min (q(:))), num2str (max (q(:))));
  if any (q(:) ~= floor (q(:)))
    s = [s ' (not whole numbers)'];
  end
end
