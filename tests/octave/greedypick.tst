## greedypick as a user calls it from Octave.

%!function [a, x0, y0, x1, y1] = windows_list (w)
%!  ## Pads a list of windows (rows xmin ymin xmax ymax) to 100000 positions
%!  ## with copies of the first, and gives the inclusive areas.
%!  n = 100000;
%!  w = [w; repmat(w(1, :), n - rows (w), 1)];
%!  x0 = w(:, 1); y0 = w(:, 2); x1 = w(:, 3); y1 = w(:, 4);
%!  a = (x1 - x0 + 1) .* (y1 - y0 + 1);
%!endfunction

%!test
%! [a, x0, y0, x1, y1] = windows_list ([1 1 10 10]);
%! [k, m] = greedypick (a, [], x0, y0, x1, y1, 3);
%! assert (k, [0; -1; -1]);
%! assert (m, ones (100000, 1));
%! [k, m] = greedypick (a, {}, x0, y0, x1, y1, 0);
%! assert (size (k), [0 1]);
%! assert (m, zeros (100000, 1));

## Ratio exactly 0.5 stays (and then suppresses too); about 0.538 is
## suppressed; in the chain a suppressed window does not suppress.
%!test
%! [a, x0, y0, x1, y1] = windows_list ([1 1 10 10; 1 1 10 5; 4 1 13 10; 6 1 15 10]);
%! assert (greedypick (a, 0, x0, y0, x1, y1, 3), [0; 1; 3]);
%! [a, x0, y0, x1, y1] = windows_list ([1 1 10 10; 4 1 13 10; 6 1 15 10; 50 50 50 50]);
%! assert (greedypick (a, 0, x0, y0, x1, y1, 4.7), [0; 2; 3; -1]);
%! [a, x0, y0, x1, y1] = windows_list ([1 1 10 10; 4 1 13 10; 6 1 15 10; 50 50 50 50; 1 40 1 40]);
%! k = greedypick (a, 0, x0, y0, x1, y1, 100002);
%! assert (size (k), [100002 1]);
%! assert (k(1:5), [0; 2; 3; 4; -1]);
%! assert (all (k(5:end) == -1));

## Touching does not overlap, sharing a column does (areas of 1 make any
## overlap suppress).
%!test
%! [a, x0, y0, x1, y1] = windows_list ([1 1 10 1; 11 1 20 1; 20 1 29 1]);
%! a(1:3) = 1;
%! [k, m] = greedypick (a, 0, x0, y0, x1, y1, 3);
%! assert (k, [0; 1; -1]);
%! assert (m(1:3), [1; 1; 1]);

## Zero or negative unions and NaN bounds as they come.
%!test
%! [a, x0, y0, x1, y1] = windows_list ([1 1 4 4; 1 1 4 4; 1 1 4 4; NaN 1 4 4]);
%! a(2) = 0;     # union 0: suppressed
%! a(3) = -20;   # negative union: kept
%! assert (greedypick (a, 0, x0, y0, x1, y1, 4), [0; 2; 3; -1]);

## Shape does not matter, only the first 100000 elements.
%!test
%! [a, x0, y0, x1, y1] = windows_list ([1 1 10 10; 30 30 40 40]);
%! assert (greedypick (reshape (a, 400, 250), 0, [x0; 5], y0', x1, y1, 2), [0; 1]);

%!error id=winscore:greedypick:inputCount greedypick (1, 2, 3, 4, 5, 6)
%!error id=winscore:greedypick:inputCount [a, b, c] = greedypick (1, 2, 3, 4, 5, 6, 7, 8)
%!error id=winscore:greedypick:outputCount [a, b, c] = greedypick (1, 2, 3, 4, 5, 6, 7)
%!error id=winscore:greedypick:inputCount greedypick ()

## Lists shorter than 100000, or not real doubles, and unusable counts
%!shared a, v
%! a = 100 * ones (100000, 1); v = ones (100000, 1);
%!error id=winscore:greedypick:tooFewElements greedypick (a(2:end), 0, v, v, v, v, 1)
%!error id=winscore:greedypick:tooFewElements greedypick (a, 0, [1 2 3], v, v, v, 1)
%!error id=winscore:greedypick:tooFewElements greedypick (a, 0, v, [], v, v, 1)
%!error <^greedypick: input 5 \(xmax\) must be a real double array> greedypick (a, 0, v, v, single (v), v, 1)
%!error <^greedypick: input 6 \(ymax\) must be a real double array> greedypick (a, 0, v, v, v, int32 (v), 1)
%!error <^greedypick: input 1 \(areaVector\) must be a real double array> greedypick (sparse (a), 0, v, v, v, v, 1)
%!error <^greedypick: input 3 \(xmin\) must be a real double array> greedypick (a, 0, complex (v), v, v, v, 1)
%!error id=winscore:greedypick:negative greedypick (a, 0, v, v, v, v, -3)
%!error <input 7 \(numberKept\) must be a number whose integer part fits> greedypick (a, 0, v, v, v, v, NaN)
%!error <input 7 \(numberKept\) must be a number whose integer part fits> greedypick (a, 0, v, v, v, v, 1e10)
%!error <input 7 \(numberKept\) must be a non-empty> greedypick (a, 0, v, v, v, v, [])

%!test
%! text = evalc ("help greedypick");
%! assert (! isempty (strfind (text, "GREEDYPICK(AREAVECTOR, ANY, XMIN, YMIN, XMAX, YMAX, NUMBERKEPT)")));
