## ringdiff as a user calls it from Octave, on the integral histogram from tallyplane.

%!shared q, H
%! q = ones (20, 30);
%! q(5:9, 11:16) = 2;                 # an object of bin 2 on a plain background
%! q(15:18, 3:5) = 3;                 # a smaller one of bin 3
%! H = tallyplane (q, 20, 30, 3);

%!assert (ringdiff (H, 20, 30, 11, 5, 16, 9, 100, 3, 1), 2)
%!assert (ringdiff (H, 20, 30, 1, 1, 30, 20, 50, 3, 1), 0)          # the whole image
%!assert (ringdiff (H, 20, 30, [11 3], [5 15], [16 5], [9 18], 0, 3, 2), [0; 0])
%!assert (size (ringdiff (H, 20, 30, [], [], [], [], 100, 3, 0)), [0 1])

%!test
%! ## The objects outscore windows that miss them or only cut into them.
%! s = ringdiff (H, 20, 30, [11 3 22 12 1], [5 15 2 6 1], [16 5 28 18 4], [9 18 10 10 4], 100, 3, 5);
%! assert (size (s), [5 1]);
%! assert (s(1:2), [2; 2]);
%! assert (all (s(3:5) < 2));
%! assert (s(3), 0);

%!test
%! ## A random image against the histograms counted in Octave.
%! rand ("seed", 3);
%! img = 1 + floor (4 * rand (12, 17));
%! Hr = tallyplane (img, 12, 17, 4);
%! x0 = 5; y0 = 4; x1 = 9; y1 = 7; p = 60;
%! dx = (x1 - x0 + 1) * p / 200; dy = (y1 - y0 + 1) * p / 200;
%! box = img(max (1, ceil (y0 - dy)):min (12, ceil (y1 + dy)), max (1, ceil (x0 - dx)):min (17, ceil (x1 + dx)));
%! inner = accumarray (reshape (img(y0:y1, x0:x1), [], 1), 1, [4 1]);
%! ring = accumarray (box(:), 1, [4 1]) - inner;
%! P = inner / sum (inner); Q = ring / sum (ring);
%! assert (ringdiff (Hr, 12, 17, x0, y0, x1, y1, p, 4, 1), sum ((P - Q) .^ 2 ./ (P + Q)), 1e-14);

%!error id=winscore:ringdiff:inputCount ringdiff (1, 2, 3, 4, 5, 6, 7, 8, 9)
%!error id=winscore:ringdiff:inputCount [a, b] = ringdiff (1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11)
%!error id=winscore:ringdiff:outputCount [a, b] = ringdiff (H, 20, 30, 1, 1, 1, 1, 100, 3, 1)
%!error id=winscore:ringdiff:notRealDoubleMatrix ringdiff (single (H), 20, 30, 1, 1, 1, 1, 100, 3, 1)
%!error id=winscore:ringdiff:notRealDoubleMatrix ringdiff (H, 20, 31, 1, 1, 1, 1, 100, 3, 1)
%!error id=winscore:ringdiff:emptyWindow ringdiff (H, 20, 30, [1 5], [1 5], [2 4], [2 5], 100, 3, 2)
%!error id=winscore:ringdiff:emptyWindow ringdiff (H, 20, 30, 1, 5, 1, 4, 100, 3, 1)

## Inputs that would read outside the integral histogram
%!error <^ringdiff: input 2 \(numberRows\) must be a number> ringdiff ({H}, NaN, 30, 1, 1, 1, 1, 100, 3, 1)
%!error id=winscore:ringdiff:rowsNotBins ringdiff (H, 20, 30, 1, 1, 1, 1, 100, 4, 1)
%!error <input 1 \(integralHistogram\) must be a real double array, not sparse double; convert it with full\(integralHistogram\)> ringdiff (sparse (H), 20, 30, 1, 1, 1, 1, 100, 3, 1)
%!error id=winscore:ringdiff:tooFewElements ringdiff (H, 20, 30, [1 2], 1, [1 2], [1 2], 100, 3, 2)
%!error <input 9 \(numberBins\) must not be negative> ringdiff (zeros (0, 651), 20, 30, 1, 1, 1, 1, 100, -3, 1)
%!error id=winscore:ringdiff:windowOutside ringdiff (H, 20, 30, [1 25], [1 18], [2 31], [2 20], 100, 3, 2)
%!error <window 1 \(xmin 1, ymin NaN, xmax 2, ymax 2\)> ringdiff (H, 20, 30, 1, NaN, 2, 2, 100, 3, 1)
%!error <its surround box, columns 23\.\.-14 and rows 23\.\.-14 for input 8 \(surroundPercent\) -1000> ringdiff (H, 20, 30, 3, 3, 6, 6, -1000, 3, 1)
%!error <more than 32-bit offsets reach> ringdiff (zeros (1, 65536), 65535, 65536, 1, 1, 1, 1, 100, 1, 1)

%!test
%! text = evalc ("help ringdiff");
%! assert (! isempty (strfind (text, "SCORES = RINGDIFF(INTEGRALHISTOGRAM, NUMBERROWS, NUMBERCOLUMNS, XMIN, YMIN,")));
%! assert (isempty (strfind (text, "SPDX")));
