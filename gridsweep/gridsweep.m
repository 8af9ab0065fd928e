%GRIDSWEEP  Scores of every window of a square grid from two integral images.
%   S = GRIDSWEEP(H, GRIDSIZE, MINWIDTH, MINHEIGHT, IGNOREDSCALAR,
%   INTEGRALIMAGEA, INTEGRALIMAGEB) scores every window of an n x n grid of
%   cells that is at least MINWIDTH cells wide and MINHEIGHT cells high: the
%   sum of the window's cells in the first image times their sum in the
%   second image, divided by the window's number of cells.
%
%   Inputs:
%     H               real double matrix of any size; it is tested but never
%                     read.
%     GRIDSIZE        n, the number of grid cells along each side (truncated
%                     toward zero).
%     MINWIDTH        smallest window width xmax - xmin + 1 that is scored
%                     (truncated toward zero; a value below 1 acts as 1).
%     MINHEIGHT       smallest window height ymax - ymin + 1 that is scored
%                     (truncated toward zero; a value below 1 acts as 1).
%     IGNOREDSCALAR   any value; it has no effect but must be passed.
%     INTEGRALIMAGEA  real doubles whose first (n+1)^2 elements, read
%                     column-major as an (n+1) x (n+1) block T whatever the
%                     array's shape, are a zero-bordered integral image:
%                     T(r+1, c+1) is the sum of the cells in rows 1..r and
%                     columns 1..c. The window sum is
%                     ((T(ymin, xmin) + T(ymax+1, xmax+1)) - T(ymin, xmax+1))
%                       - T(ymax+1, xmin).
%     INTEGRALIMAGEB  the second integral image, read in the same way.
%
%   Output:
%     S  n^2 x n^2 double matrix; read as an n x n x n x n array it holds the
%        score of window (xmin, ymin, xmax, ymax) at S(xmin, ymin, xmax, ymax),
%        that is row xmin + n*(ymin-1), column xmax + n*(ymax-1). Elements of
%        no scored window (xmax < xmin, ymax < ymin, too narrow or too low)
%        are 0. n = 0 gives a 0 x 0 matrix, a negative n an n^2 x n^2 matrix
%        of zeros. The scores pass straight to PEAKPICK with both sizes n.
%
%   Errors: a count other than 7 inputs or more than 1 output; H not a real
%   double matrix; GRIDSIZE, MINWIDTH or MINHEIGHT empty, NaN or outside the
%   signed 32-bit range; |n| above 46340 (n*n must fit a signed 32-bit
%   integer); for n >= 1, an integral image that is not real double or holds
%   fewer than (n+1)^2 elements; an output too large for the host.
%
%   Example:
%     g = [1 2; 3 4];                          % a 2 x 2 grid
%     A = zeros (3); A(2:3, 2:3) = cumsum (cumsum (g, 1), 2);
%     B = zeros (3); B(2:3, 2:3) = cumsum (cumsum (ones (2), 1), 2);
%     S = gridsweep (zeros (64), 2, 1, 1, 0, A, B);   % 4 x 4
%     S(1, 4)                                  % 10, the whole grid: 10*4/4
%
%   See also PEAKPICK, TALLYPLANE.

% SPDX-License-Identifier: MIT
