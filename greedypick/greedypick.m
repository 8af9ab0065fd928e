%GREEDYPICK  Keep windows in order, dropping those a kept one overlaps by more than half.
%   KEPT = GREEDYPICK(AREAVECTOR, ANY, XMIN, YMIN, XMAX, YMAX, NUMBERKEPT)
%   [KEPT, MARKERVECTOR] = GREEDYPICK(...)
%   walks a list of exactly 100000 windows in its given order (the order of
%   preference): it keeps a window, marks as suppressed every later window
%   whose overlap with it exceeds one half, moves on to the next window that
%   is neither kept nor suppressed, and stops once NUMBERKEPT windows are
%   kept or the list runs out. A suppressed window never suppresses another.
%
%   The overlap of windows i and j is intersection over union, with bounds
%   inclusive at both ends:
%     iw = min(XMAX(i), XMAX(j)) - max(XMIN(i), XMIN(j)) + 1
%     ih = min(YMAX(i), YMAX(j)) - max(YMIN(i), YMIN(j)) + 1
%     ratio = ih*iw / (AREAVECTOR(i) + AREAVECTOR(j) - ih*iw)
%   when iw > 0 and ih > 0; otherwise the windows do not overlap. So windows
%   sharing one column overlap, windows that only touch do not. A ratio of
%   exactly 0.5 does not suppress.
%
%   Inputs:
%     AREAVECTOR  real double array of at least 100000 elements: the area
%                 of each window as the caller counts it, normally
%                 (XMAX-XMIN+1)*(YMAX-YMIN+1). It is used only in the union.
%     ANY         any array; it has no effect and is not read.
%     XMIN, YMIN, XMAX, YMAX
%                 real double arrays of at least 100000 elements: the
%                 bounds of each window. Only the first 100000 elements of
%                 each list input are read, column-major, whatever its shape.
%     NUMBERKEPT  c, the most windows to keep (truncated toward zero).
%
%   Outputs:
%     KEPT          c x 1 double: the 0-based list positions of the kept
%                   windows in the order kept (increasing; the first is 0
%                   when c >= 1), and -1 in the entries left unfilled.
%     MARKERVECTOR  100000 x 1 double: 1 at every kept or suppressed
%                   position, 0 elsewhere.
%
%   A window with a NaN bound overlaps no other window. A zero union with a
%   positive intersection suppresses; a negative union (areas smaller than
%   the intersection) never does.
%
%   Errors: a count other than 7 inputs or more than 2 outputs; a list
%   input that is not a real double array or holds fewer than 100000
%   elements; NUMBERKEPT negative, empty, not numeric, NaN, or outside the
%   signed 32-bit range once truncated.
%
%   Example:
%     n = 100000; x = 1 + mod(0:n-1, 50)'; y = ones(n, 1);
%     w = 10; a = w * w * ones(n, 1);          % 10 x 10 windows along a row
%     kept = greedypick(a, 0, x, y, x + w - 1, y + w - 1, 5)
%     % kept = [0; 4; 8; 12; 16]: each kept window suppresses the next three
%
%   See also DRAWWEIGHTED.

% SPDX-License-Identifier: MIT
