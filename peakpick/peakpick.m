%PEAKPICK  Local maxima of a 4-D array of window scores.
%   [XMIN, YMIN, XMAX, YMAX, SCORE] = PEAKPICK(H, SIZEX, SIZEY, NEIGHBOURHOODSIZE)
%   cuts the window score array H into non-overlapping blocks, takes the
%   largest score of each block (the earliest one among equals) and keeps it
%   when it is positive and no score within half a neighbourhood of it is
%   strictly larger. Exactly 5 outputs must be requested.
%
%   Inputs:
%     H                  real double matrix whose data, read column-major, is
%                        the X x Y x X x Y array of window scores, indexed by
%                        (xmin, ymin, xmax, ymax); X = fix(SIZEX), Y = fix(SIZEY).
%                        Its shape is ignored; it must hold at least X*Y*X*Y
%                        elements. The n^2 x n^2 output of GRIDSWEEP fits with
%                        SIZEX = SIZEY = n. A 4-D array must be reshaped to 2-D.
%     SIZEX, SIZEY       the number of x and y positions. They are used as
%                        given, fractions included, in every bound and in the
%                        output length; only H's addressing truncates them.
%     NEIGHBOURHOODSIZE  the width w of the suppression box, at least 1, not
%                        necessarily whole. With c = (w-1)/2 and d = c+1,
%                        blocks are floor(d) positions long; xmin and ymin
%                        blocks start at 1, 1+floor(d), ... while start <=
%                        size - c, xmax and ymax blocks start at the xmin and
%                        ymin start and run to the end (the last one cut short).
%                        The box around a maximum p spans p-c..p+c per
%                        coordinate (p-floor(c)-1..p+floor(c) for a fractional
%                        c), cut to the array; equal and NaN scores never
%                        suppress, and a NaN is never a maximum.
%
%   Outputs: five 1 x n rows, n = ceil(SIZEX^2*SIZEY^2/d^4). Elements 1..r
%   hold the r accepted maxima in block order (by xmin block, ymin block,
%   xmax block, with the ymax block fastest): XMIN, YMIN, XMAX, YMAX their
%   1-based coordinates, SCORE their scores (always > 0). Elements r+1..n are 0.
%
%   Errors: a count other than 4 inputs or 5 outputs; H not a real double
%   matrix, or holding fewer than X*Y*X*Y elements; SIZEX, SIZEY or
%   NEIGHBOURHOODSIZE empty, NaN or infinite; NEIGHBOURHOODSIZE below 1;
%   X or Y outside the signed 32-bit range, X*Y*X*Y above 2^31 or n above
%   2^31-1; more accepted maxima than the n the outputs hold (possible for
%   neighbourhood sizes other than 1, 3 and 5: the message gives both numbers).
%
%   Example:
%     H = ones (4*3, 4*3);  H(2 + 4*(2-1), 2 + 4*(2-1)) = 5;   % H(2,2,2,2) = 5
%     [xmin, ymin, xmax, ymax, score] = peakpick (H, 4, 3, 3);
%     [xmin(1) ymin(1) xmax(1) ymax(1) score(1)]            % 2 2 2 2 5
%
%   See also GRIDSWEEP.

% SPDX-License-Identifier: MIT
