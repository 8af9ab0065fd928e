## tallyplane as a user calls it from Octave.

%!assert (tallyplane (2, 1, 1, 3), [0 0 0 0; 0 0 0 1; 0 0 0 0])
%!assert (tallyplane (2.9, 1, 1, 3)(:, end), [0; 1; 0])
%!assert (tallyplane (ones (2, 3), 2, 3, 1), [0 0 0 0 1 2 0 2 4 0 3 6])
%!assert (size (tallyplane ([], 0, 4, 2)), [2 5])

%!test
%! q = randi (5, 30, 40);
%! h = tallyplane (q, 30, 40, 5);
%! assert (h(:, end), accumarray (q(:), 1, [5 1]));
%! k = @(r, c) r + c * 31 + 1;
%! assert (h(:, k(12, 17)), accumarray (reshape (q(1:12, 1:17), [], 1), 1, [5 1]));

%!error id=winscore:tallyplane:inputCount tallyplane (1, 1, 1)
%!error id=winscore:tallyplane:inputCount [a, b] = tallyplane (1, 1, 1, 1, 1)
%!error id=winscore:tallyplane:outputCount [a, b] = tallyplane (1, 1, 1, 1)
%!error id=winscore:tallyplane:notRealDoubleMatrix tallyplane (single (1), 1, 1, 1)
%!error id=winscore:tallyplane:notRealDoubleMatrix tallyplane (1i, 1, 1, 1)
%!error id=winscore:tallyplane:notRealDoubleMatrix tallyplane (ones (1, 1, 2), 1, 1, 1)
%!error id=winscore:tallyplane:notRealDoubleMatrix tallyplane (@sin, 1, 1, 1)
%!error id=winscore:tallyplane:inputCount tallyplane ()

## Inputs that would write outside the output or read past the image
%!error <input 1 \(quantMatrix\) element 2 is 4> tallyplane ([1 4], 1, 2, 3)
%!error <input 1 \(quantMatrix\) element 1 is NaN> tallyplane (NaN, 1, 1, 3)
%!error <input 1 \(quantMatrix\) element 1 is 0.5> tallyplane (0.5, 1, 1, 3)
%!error <input 1 \(quantMatrix\) must hold at least 6 elements> tallyplane (ones (5, 1), 2, 3, 1)
%!error <input 1 \(quantMatrix\) must be a real double array> tallyplane (sparse (1), 1, 1, 1)
%!error <input 2 \(numberRows\) must not be negative> tallyplane (1, -1, 1, 1)
%!error <input 4 \(numberBins\) must not be negative> tallyplane (1, 1, 1, -2)
%!error <input 3 \(numberColumns\) must be a number whose integer part fits> tallyplane (1, 1, NaN, 1)
%!error <input 2 \(numberRows\) must be a number whose integer part fits> tallyplane (1, 3e9, 1, 1)
%!error <input 2 \(numberRows\) must be a non-empty> tallyplane (1, [], 1, 1)
%!error <input 3 \(numberColumns\) must be a non-empty> tallyplane (1, 1, {1}, 1)

%!test
%! text = evalc ("help tallyplane");
%! assert (! isempty (strfind (text, "TALLYPLANE(QUANTMATRIX, NUMBERROWS, NUMBERCOLUMNS, NUMBERBINS)")));
