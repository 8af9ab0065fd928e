%TALLYPLANE  Integral histogram of a quantised image.
%   H = TALLYPLANE(QUANTMATRIX, NUMBERROWS, NUMBERCOLUMNS, NUMBERBINS) counts,
%   for every pixel corner of an R x C image whose pixels are bin numbers,
%   how many pixels above and to the left of that corner fall into each bin.
%
%   Inputs:
%     QUANTMATRIX    real double matrix; its first R*C elements, read
%                    column-major, are the pixels. floor(value) is the bin,
%                    and must lie in 1..B. An image of another class
%                    (uint8, single, logical, ...) is converted with
%                    DOUBLE(QUANTMATRIX) first.
%     NUMBERROWS     R, the number of pixel rows (truncated toward zero).
%     NUMBERCOLUMNS  C, the number of pixel columns (truncated toward zero).
%     NUMBERBINS     B, the number of bins (truncated toward zero).
%
%   Output:
%     H  B x (R+1)*(C+1) double matrix. Column k = r + c*(R+1) + 1 (1-based)
%        is the histogram of corner (r, c), r = 0..R, c = 0..C: H(b, k) is the
%        number of pixels (i, j) with i <= r, j <= c and floor(value) = b.
%        Columns with r = 0 or c = 0 are zero; the last column is the
%        histogram of the whole image. The histogram of the window
%        xmin..xmax, ymin..ymax is
%          H(:, K(ymin-1, xmin-1)) + H(:, K(ymax, xmax))
%            - H(:, K(ymin-1, xmax)) - H(:, K(ymax, xmin-1))
%        with K(r, c) = r + c*(R+1) + 1.
%        H takes B*(R+1)*(C+1)*8 bytes: 404 MB for a 1024 x 768 image at 64
%        bins; winscore.contrast returns the size and refuses one above its
%        'MaxBytes'.
%
%   Errors: a count other than 4 inputs or more than 1 output; QUANTMATRIX
%   not a real double matrix, or holding fewer than R*C elements, or a pixel
%   whose bin lies outside 1..B (or is NaN); negative R, C or B; an output
%   too large for the host.
%
%   Example:
%     q = [1 2; 2 2];                 % a 2 x 2 image with bins 1 and 2
%     H = tallyplane(q, 2, 2, 2);     % 2 x 9
%     H(:, end)                       % [1; 3], the whole image
%
%   See also RINGDIFF.

% SPDX-License-Identifier: MIT
