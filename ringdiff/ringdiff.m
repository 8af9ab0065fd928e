%RINGDIFF  Centre-surround histogram contrast of windows.
%   SCORES = RINGDIFF(INTEGRALHISTOGRAM, NUMBERROWS, NUMBERCOLUMNS, XMIN, YMIN,
%   XMAX, YMAX, SURROUNDPERCENT, NUMBERBINS, NUMBERWINDOWS) scores each window
%   by the chi-square distance between the bin histogram of its pixels and
%   that of a ring around it: the window enlarged on every side, clipped to
%   the image, minus the window itself.
%
%   Inputs:
%     INTEGRALHISTOGRAM  B x (R+1)*(C+1) real double matrix from TALLYPLANE,
%                        given the same R, C and B.
%     NUMBERROWS         R, the number of pixel rows (truncated toward zero).
%     NUMBERCOLUMNS      C, the number of pixel columns (truncated toward zero).
%     XMIN, YMIN,        real double vectors, at least N elements each: window
%     XMAX, YMAX         i covers columns XMIN(i)..XMAX(i) and rows
%                        YMIN(i)..YMAX(i), 1-based and inclusive; x counts
%                        columns, y counts rows. Whole numbers are expected;
%                        the values are used as stored.
%     SURROUNDPERCENT    p, truncated toward zero: the surround box is p
%                        percent wider and taller than the window, each side
%                        moving out by w*p/200 (h*p/200), then clipped to the
%                        image and rounded up (ceil) on every side.
%     NUMBERBINS         B, the number of bins (truncated toward zero).
%     NUMBERWINDOWS      N, the number of windows scored (truncated).
%
%   Output:
%     SCORES  N x 1 double: SCORES(i) = sum over bins with P+Q ~= 0 of
%             (P-Q)^2 / (P+Q), where P and Q are the window's and the ring's
%             histograms normalised to sum 1 (all zeros when empty). No factor
%             one half: scores lie in 0..2, 0 for a ring that looks like the
%             window (or an empty ring, as for a window covering the image), 2
%             for a ring with no bin in common.
%
%   Errors: a count other than 10 inputs or more than 1 output; input 1 not a
%   real double matrix with (R+1)*(C+1) columns, or not B rows, or sparse;
%   negative R, C, B or N; coordinate vectors not real double or shorter than
%   N; "error xmax - xmin <=0 or ymax - ymin<=0" for a window with
%   XMAX < XMIN or YMAX < YMIN; a window, or its surround box, that would be
%   read outside the integral histogram (outside the image, NaN or Inf, or
%   SURROUNDPERCENT below -200); (R+1)*(C+1)*B of 2^31 or more.
%
%   Example:
%     q = ones(20, 20); q(6:10, 6:10) = 2;         % a square of bin 2
%     H = tallyplane(q, 20, 20, 2);
%     s = ringdiff(H, 20, 20, [6 15], [6 15], [10 19], [10 19], 100, 2, 2)
%     % s(1) is 2 (square against plain ring), s(2) is 0 (all bin 1)
%
%   See also TALLYPLANE.

% SPDX-License-Identifier: MIT
