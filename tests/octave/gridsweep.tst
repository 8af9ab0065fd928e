## gridsweep as a user calls it from Octave.

%!shared A, B, S
%! A = [0 0 0; 0 1 3; 0 4 10];    # integral image of the grid [1 2; 3 4]
%! B = [0 0 0; 0 1 2; 0 2 4];     # integral image of ones (2)
%! S = [1 3 4 10; 0 2 0 6; 0 0 3 7; 0 0 0 4];
%!assert (gridsweep (zeros (64), 2, 1, 1, 0, A, B), S)
%!assert (gridsweep (ones (2, 3), 2, 1, 1, NaN, A(:)', B), S)
%!assert (gridsweep (1, 2, 1, 1, {}, A, B), S)
%!assert (gridsweep (1, 2, 2, 1, 0, A, B), [0 3 0 10; 0 0 0 0; 0 0 0 7; 0 0 0 0])
%!assert (gridsweep (1, 2, 1, 1, 0, A, A)(1, 4), 25)
%!assert (gridsweep (1, 2, 0, -3, 0, A, B), S)
%!assert (gridsweep (1, 2, 3, 1, 0, A, B), zeros (4))
%!assert (size (gridsweep (1, 0, 1, 1, 0, [], [])), [0 0])
%!assert (gridsweep (1, -2, 1, 1, 0, [], []), zeros (4))

## The 4-D reading: S(xmin, ymin, xmax, ymax) is the window's sum product over its area.
%!test
%! g = rand (6); u = randi (3, 6);
%! T = @(x) [zeros(1, 7); zeros(6, 1), cumsum(cumsum (x, 1), 2)];
%! S = reshape (gridsweep (1, 6, 2, 3, 0, T (g), T (u)), 6, 6, 6, 6);
%! assert (S(2, 1, 5, 4), sum (sum (g(1:4, 2:5))) * sum (sum (u(1:4, 2:5))) / 16, 1e-12);
%! assert (S(1, 1, 1, 6), 0);       # one column wide, below minWidth
%! assert (S(3, 3, 2, 6), 0);       # xmax < xmin
%! assert (nnz (S), 15 * 10);
%!assert (nnz (gridsweep (1, 4.7, 1.9, 2.2, 0, ones (5), ones (5)) == 0), 256)
%!assert (nnz (gridsweep (1, 5, 1, 1, 0, (0:5)' * (0:5), (0:5)' * (0:5))), 225)

## The scores pass unchanged to peakpick with both sizes n.
%!test
%! g = zeros (5); g(2:3, 4) = 1;     # a bright bar two cells high in column 4
%! T = [zeros(1, 6); zeros(5, 1), cumsum(cumsum (g, 1), 2)];
%! S = gridsweep (1, 5, 1, 1, 0, T, T);
%! [xmin, ymin, xmax, ymax, score] = peakpick (S, 5, 5, 3);
%! assert (numel (score), ceil (625 / 16));
%! r = nnz (score);
%! assert (r >= 1 && all (score(r+1:end) == 0));
%! [best, k] = max (score);
%! assert ([xmin(k), ymin(k), xmax(k), ymax(k), best], [4, 2, 4, 3, 2]);
%! Sd = reshape (S, 5, 5, 5, 5);
%! for m = 1:r
%!   assert (score(m), Sd(xmin(m), ymin(m), xmax(m), ymax(m)));
%! end

%!error id=winscore:gridsweep:inputCount gridsweep (1, 2, 1, 1, 0, 1)
%!error id=winscore:gridsweep:inputCount [a, b] = gridsweep (1, 2, 1, 1, 0, 1, 1, 1)
%!error id=winscore:gridsweep:outputCount [a, b] = gridsweep (1, 0, 1, 1, 0, [], [])
%!error id=winscore:gridsweep:notRealDoubleMatrix gridsweep (single (1), 0, 1, 1, 0, [], [])
%!error id=winscore:gridsweep:notRealDoubleMatrix gridsweep (1i, 0, 1, 1, 0, [], [])
%!error id=winscore:gridsweep:notRealDoubleMatrix gridsweep (ones (2, 2, 2), 0, 1, 1, 0, [], [])
%!error id=winscore:gridsweep:notRealDoubleMatrix gridsweep ("h", 0, 1, 1, 0, [], [])
%!error id=winscore:gridsweep:inputCount gridsweep ()

## Inputs that would read past the images or outgrow the output
%!error id=winscore:gridsweep:tooFewElements gridsweep (1, 2, 1, 1, 0, ones (1, 8), ones (3))
%!error id=winscore:gridsweep:tooFewElements gridsweep (1, 3, 1, 1, 0, ones (4), ones (3))
%!error <input 6 \(integralImageA\) must be a real double array> gridsweep (1, 2, 1, 1, 0, single (ones (3)), ones (3))
%!error <input 7 \(integralImageB\) must be a real double array> gridsweep (1, 2, 1, 1, 0, ones (3), int32 (ones (3)))
%!error <input 7 \(integralImageB\) must be a real double array> gridsweep (1, 2, 1, 1, 0, ones (3), sparse (ones (3)))
%!error id=winscore:gridsweep:gridSizeTooLarge gridsweep (1, 46341, 1, 1, 0, [], [])
%!error <input 2 \(gridSize\) must be a number whose integer part fits> gridsweep (1, NaN, 1, 1, 0, [], [])
%!error <input 3 \(minWidth\) must be a number whose integer part fits> gridsweep (1, 2, Inf, 1, 0, [], [])
%!error <input 4 \(minHeight\) must be a non-empty> gridsweep (1, 2, 1, [], 0, [], [])

%!test
%! text = evalc ("help gridsweep");
%! assert (! isempty (strfind (text, "S = GRIDSWEEP(H, GRIDSIZE, MINWIDTH, MINHEIGHT, IGNOREDSCALAR,")));
%! assert (! isempty (strfind (text, "a value below 1 acts as 1")));
%! assert (isempty (strfind (text, "SPDX")));
