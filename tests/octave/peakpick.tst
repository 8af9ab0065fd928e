## peakpick as a user calls it from Octave.

%!test
%! [xmin, ymin, xmax, ymax, score] = peakpick (ones (12), 4, 3, 3);
%! assert ([xmin; ymin; xmax; ymax; score], [1 1 1 1 3 3 0 0 0; 1 1 1 1 1 1 0 0 0;
%!                                           1 1 3 3 3 3 0 0 0; 1 3 1 3 1 3 0 0 0;
%!                                           1 1 1 1 1 1 0 0 0]);

## The 4-D array reshaped to any 2-D shape; H(2, 2, 2, 2) = 5 suppresses the rest.
%!test
%! H = ones (4, 3, 4, 3); H(2, 2, 2, 2) = 5;
%! [xmin, ymin, xmax, ymax, score] = peakpick (H(:)', 4, 3, 3);
%! assert ([xmin(1), ymin(1), xmax(1), ymax(1), score(1)], [2 2 2 2 5]);
%! assert (nnz (score), 1);
%! [~, ~, ~, ~, s2] = peakpick (reshape (H, 12, 12), 4, 3, 3);
%! assert (s2, score);

%!test
%! H = zeros (4, 3, 4, 3); H(2, 1, 1, 1) = 3; H(1, 2, 1, 1) = 3;
%! [xmin, ymin, xmax, ymax, score] = peakpick (reshape (H, 12, 12), 4, 3, 3);
%! assert ([xmin(1), ymin(1), xmax(1), ymax(1), score(1)], [1 2 1 1 3]);
%! assert (nnz (score), 1);

%!test
%! H = ones (4, 3, 4, 3); H(1, 1, 1, 1) = NaN;
%! [xmin, ymin, xmax, ymax, score] = peakpick (reshape (H, 12, 12), 4, 3, 3);
%! assert (score, [1 1 1 1 1 0 0 0 0]);
%! assert (xmax, [1 3 3 3 3 0 0 0 0]);

## Fractional half-width: neighbourhood 4 on 6 x 6; (5, 5, 5, 5) lies in no block.
%!test
%! H = zeros (6, 6, 6, 6); H(3, 3, 3, 3) = 1; H(5, 5, 5, 5) = 2;
%! [xmin, ymin, xmax, ymax, score] = peakpick (reshape (H, 36, 36), 6, 6, 4);
%! assert (numel (score), 34);
%! assert ([xmin(1), ymin(1), xmax(1), ymax(1), score(1)], [3 3 3 3 1]);
%! assert (nnz (score), 1);

%!test
%! [a, b, c, d, e] = peakpick (-ones (12), 4, 3, 3);
%! assert ([a; b; c; d; e], zeros (5, 9));
%! [a, b, c, d, e] = peakpick ([], 0, 3, 3);
%! assert (size (e), [1 0]);

## Every accepted maximum is its block's earliest maximum, and nothing in its box is larger.
%!test
%! X = 5; Y = 4; w = 3; c = 1;
%! H = randi ([-2 3], X, Y, X, Y);
%! [xmin, ymin, xmax, ymax, score] = peakpick (reshape (H, X * Y, X * Y), X, Y, w);
%! for m = 1:nnz (score)
%!   p = [xmin(m), ymin(m), xmax(m), ymax(m)];
%!   assert (score(m), H(p(1), p(2), p(3), p(4)));
%!   lo = max (p - c, 1); hi = min (p + c, [X Y X Y]);
%!   box = H(lo(1):hi(1), lo(2):hi(2), lo(3):hi(3), lo(4):hi(4));
%!   assert (all (box(:) <= score(m)));
%! end

## The scores of gridsweep pass unchanged, both sizes the grid size.
%!test
%! g = magic (4); T = [zeros(1, 5); zeros(4, 1), cumsum(cumsum (g, 1), 2)];
%! S = gridsweep (1, 4, 1, 1, 0, T, T);
%! [xmin, ymin, xmax, ymax, score] = peakpick (S, 4, 4, 3);
%! assert (numel (score), 16);
%! assert (max (score), max (S(:)));       # the whole grid holds the largest score
%! [~, k] = max (score);
%! assert ([xmin(k), ymin(k), xmax(k), ymax(k)], [1 1 4 4]);

%!error id=winscore:peakpick:inputCount [a, b, c, d, e] = peakpick (1, 1, 1)
%!error id=winscore:peakpick:inputCount peakpick (1, 1, 1)
%!error id=winscore:peakpick:outputCount [a, b, c, d] = peakpick (1, 1, 1, 1)
%!error id=winscore:peakpick:outputCount peakpick (1, 1, 1, 1)
%!error id=winscore:peakpick:notRealDoubleMatrix [a, b, c, d, e] = peakpick (ones (2, 2, 2, 2), 2, 2, 1)
%!error id=winscore:peakpick:notRealDoubleMatrix [a, b, c, d, e] = peakpick (single (1), 1, 1, 1)
%!error id=winscore:peakpick:notRealDoubleMatrix [a, b, c, d, e] = peakpick (1i, 1, 1, 1)
%!error id=winscore:peakpick:outputCount peakpick (1, 1, 1, 1)

## Inputs that would read past h, loop forever, or overflow the outputs
%!error id=winscore:peakpick:tooFewElements [a, b, c, d, e] = peakpick (ones (3, 5), 2, 2, 1)
%!error id=winscore:peakpick:neighbourhoodTooSmall [a, b, c, d, e] = peakpick (1, 1, 1, 0)
%!error id=winscore:peakpick:notFinite [a, b, c, d, e] = peakpick (1, NaN, 1, 1)
%!error id=winscore:peakpick:notFinite [a, b, c, d, e] = peakpick (1, 1, Inf, 1)
%!error id=winscore:peakpick:notFinite [a, b, c, d, e] = peakpick (1, 1, 1, -Inf)
%!error <input 2 \(sizeX\) must be a non-empty> [a, b, c, d, e] = peakpick (1, [], 1, 1)
%!error <more than signed 32-bit offsets can address$> [a, b, c, d, e] = peakpick (1, 50000, 1, 1)
%!error id=winscore:peakpick:tooManyMaxima [a, b, c, d, e] = peakpick (ones (6), 2, 3, 2)

%!test
%! text = evalc ("help peakpick");
%! assert (! isempty (strfind (text, "[XMIN, YMIN, XMAX, YMAX, SCORE] = PEAKPICK(H, SIZEX, SIZEY, NEIGHBOURHOODSIZE)")));
%! assert (isempty (strfind (text, "SPDX")));
