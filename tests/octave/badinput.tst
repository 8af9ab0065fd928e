## Bad input for every plug-in, as a table: each row is a call and what must
## happen. An error row gives the message after the "<name>: " prefix (a
## regexp); a row that must succeed is an %!assert of its defined result.
## Inputs read only through their data must be dense real double arrays.

%!function r = with_arg (args, k, value)
%!  r = args;
%!  r{k} = value;
%!endfunction

## Calls f once per row, {arguments, message regexp}, and lists every row whose
## call did not fail with its message and an identifier winscore:<name>:<fault>.
%!function check_rows (f, nout, table)
%!  name = func2str (f);
%!  bad = {};
%!  for i = 1:size (table, 1)
%!    [args, expected] = deal (table{i, :});
%!    out = cell (1, nout);
%!    try
%!      [out{:}] = f (args{:});
%!      bad{end+1} = sprintf ("row %d: no error, expected /%s/", i, expected);
%!    catch err
%!      if (isempty (regexp (err.message, ["^" name ": " expected], "once")))
%!        bad{end+1} = sprintf ("row %d: '%s', expected /%s/", i, err.message, expected);
%!      elseif (isempty (regexp (err.identifier, ["^winscore:" name ":[a-z][A-Za-z0-9]*$"], "once")))
%!        bad{end+1} = sprintf ("row %d: identifier '%s'", i, err.identifier);
%!      end
%!    end
%!  end
%!  if (! isempty (bad))
%!    error ("%s: %d of %d rows wrong\n%s", name, numel (bad), size (table, 1), strjoin (bad, "\n"));
%!  end
%!endfunction

## Input 1 of args replaced by the same values in every wrong class: each must
## fail with the plug-in's own message, except the sparse one, which passes the
## input-1 test and is refused as data read through its doubles (name "": it is
## never read, and passes).
%!function rows = wrong_classes (args, message, name)
%!  x = args{1};
%!  variants = {single(x), int32(x), uint8(x), logical(x != 0), char(x + 48), complex(x, 1), ...
%!              num2cell(x), struct("a", x), @sin};
%!  rows = [cellfun(@(v) with_arg (args, 1, v), variants, "UniformOutput", false); ...
%!          repmat({message}, 1, numel (variants))]';
%!  if (! isempty (name))
%!    rows(end+1, :) = {with_arg(args, 1, sparse (double (x))), ...
%!                      sprintf("input 1 \\(%s\\) must be a real double array, not sparse double; convert it with full\\(%s\\)$", name, name)};
%!  end
%!endfunction

## Data input k of args, read through its doubles, replaced by the same values
## in every wrong class: each message names the class, and the conversion where
## one exists.
%!function rows = data_classes (args, k, name)
%!  x = args{k};
%!  todouble = sprintf ("; convert it with double\\(%s\\)", name);
%!  table = {single(x),         "single",          todouble
%!           int32(x),          "int32",           todouble
%!           uint8(x),          "uint8",           todouble
%!           logical(x != 0),   "logical",         todouble
%!           char(x + 48),      "char",            todouble
%!           complex(x, 1),     "complex double",  ""
%!           num2cell(x),       "cell",            ""
%!           struct("a", x),    "struct",          ""
%!           @sin,              "function_handle", ""
%!           sparse(double(x)), "sparse double",   sprintf("; convert it with full\\(%s\\)", name)
%!           sparse(x != 0),    "sparse logical",  sprintf("; convert it with full\\(double\\(%s\\)\\)", name)};
%!  rows = cell (size (table, 1), 2);
%!  for i = 1:size (table, 1)
%!    rows(i, :) = {with_arg(args, k, table{i, 1}), ...
%!                  sprintf("input %d \\(%s\\) must be a real double array, not %s%s$", k, name, table{i, 2:3})};
%!  end
%!endfunction

## Scalar input k of args as NaN, infinite, beyond 32 bits, empty or not a number.
%!function rows = bad_scalars (args, k, name)
%!  range = sprintf ("input %d \\(%s\\) must be a number whose integer part fits a signed 32-bit integer$", k, name);
%!  notnum = sprintf ("input %d \\(%s\\) must be a non-empty, non-sparse numeric array$", k, name);
%!  values = {NaN, Inf, -Inf, 3e9, -3e9, [], zeros(0, 3), {1}, struct("a", 1), sparse(1), @sin};
%!  expected = [repmat({range}, 1, 5), repmat({notnum}, 1, 6)];
%!  rows = [cellfun(@(v) with_arg (args, k, v), values, "UniformOutput", false); expected]';
%!endfunction

## ---------------------------------------------------------------- tallyplane
%!shared q, t
%! q = [1 2 3; 3 2 1];
%! t = {q, 2, 3, 3};

%!test
%! notmatrix = "input 1 \\(quantMatrix\\) must be a real double matrix$";
%! rows = [wrong_classes(t, notmatrix, "quantMatrix");
%!         bad_scalars(t, 2, "numberRows"); bad_scalars(t, 3, "numberColumns"); bad_scalars(t, 4, "numberBins")];
%! rows = [rows; {
%!   {ones(2, 3, 2), 2, 3, 3},   notmatrix
%!   {zeros(2, 0, 3), 0, 0, 3},  notmatrix
%!   {q(1:5), 2, 3, 3},          "input 1 \\(quantMatrix\\) must hold at least 6 elements, not 5$"
%!   {[], 1, 1, 3},              "input 1 \\(quantMatrix\\) must hold at least 1 element, not 0$"
%!   {q, 1e5, 1e5, 3},           "input 1 \\(quantMatrix\\) must hold at least 10000000000 elements, not 6$"
%!   {q, -1, 3, 3},              "input 2 \\(numberRows\\) must not be negative, not -1$"
%!   {q, 2, -1, 3},              "input 3 \\(numberColumns\\) must not be negative, not -1$"
%!   {q, 2, 3, -1},              "input 4 \\(numberBins\\) must not be negative, not -1$"
%!   ## bins outside 1..B would be marked outside the pixel's own column
%!   {[1 NaN], 1, 2, 3},         "input 1 \\(quantMatrix\\) element 2 is NaN: its floor must be a bin in 1..3$"
%!   {[1 Inf], 1, 2, 3},         "input 1 \\(quantMatrix\\) element 2 is Inf: its floor must be a bin in 1..3$"
%!   {[1 -Inf], 1, 2, 3},        "input 1 \\(quantMatrix\\) element 2 is -Inf: its floor must be a bin in 1..3$"
%!   {[1 0.999], 1, 2, 3},       "input 1 \\(quantMatrix\\) element 2 is 0.999: its floor must be a bin in 1..3$"
%!   {[1 4], 1, 2, 3},           "input 1 \\(quantMatrix\\) element 2 is 4: its floor must be a bin in 1..3$"
%!   {[1 1e300], 1, 2, 3},       "input 1 \\(quantMatrix\\) element 2 is 1e\\+300: its floor must be a bin in 1..3$"
%!   {1, 1, 1, 0},               "input 1 \\(quantMatrix\\) element 1 is 1: its floor must be a bin in 1..0$"
%! }];
%! check_rows (@tallyplane, 1, rows);

## Defined results: sizes as doubles of other classes, shapes other than R x C.
%!assert (tallyplane (q, int32 (2), single (3.7), true (1) + 2), tallyplane (q, 2, 3, 3))
%!assert (tallyplane (q(:)', 2, 3, 3), tallyplane (q, 2, 3, 3))
%!assert (tallyplane ([q, q], 2, 3, 3), tallyplane (q, 2, 3, 3))     # extra elements unread
%!assert (tallyplane ([], 0, 5, 0), zeros (0, 6))
%!assert (tallyplane (1, 1, 1, 3 + 2i)(:, end), [1; 0; 0])   # real part of a complex scalar

## ------------------------------------------------------------------ ringdiff
%!shared H, r
%! H = tallyplane ([1 2 3; 3 2 1], 2, 3, 3);
%! r = {H, 2, 3, [1 2], [1 1], [2 3], [1 2], 100, 3, 2};

%!test
%! notmatrix = "input 1 \\(integralHistogram\\) must be a real double matrix$";
%! rows = wrong_classes (r, notmatrix, "integralHistogram");
%! names = {"xmin", "ymin", "xmax", "ymax"};
%! for k = 4:7
%!   rows = [rows; data_classes(r, k, names{k - 3})];
%! end
%! rows = [rows; bad_scalars(r, 2, "numberRows"); bad_scalars(r, 3, "numberColumns");
%!         bad_scalars(r, 8, "surroundPercent"); bad_scalars(r, 9, "numberBins");
%!         bad_scalars(r, 10, "numberWindows")];
%! rows = [rows; {
%!   with_arg(r, 1, reshape (H, 3, 6, 2)),      notmatrix
%!   with_arg(r, 1, H(:, 1:end-1)),              notmatrix
%!   with_arg(r, 1, [H, H(:, 1)]),               notmatrix
%!   with_arg(r, 1, H(1:2, :)),                  "input 1 \\(integralHistogram\\) must have 3 rows, one per bin of input 9 \\(numberBins\\), not 2$"
%!   with_arg(r, 1, H(:)'),                      notmatrix
%!   with_arg(r, 5, 1),                          "input 5 \\(ymin\\) must hold at least 2 elements, not 1$"
%!   with_arg(r, 7, []),                         "input 7 \\(ymax\\) must hold at least 2 elements, not 0$"
%!   with_arg(r, 10, 3),                         "input 4 \\(xmin\\) must hold at least 3 elements, not 2$"
%!   {zeros(3, 0), -1, 3, 1, 1, 1, 1, 100, 3, 1}, "input 2 \\(numberRows\\) must not be negative, not -1$"
%!   {zeros(3, 0), 1, -1, 1, 1, 1, 1, 100, 3, 1}, "input 3 \\(numberColumns\\) must not be negative, not -1$"
%!   with_arg(r, 9, -3),                         "input 9 \\(numberBins\\) must not be negative, not -3$"
%!   {H, 2, 3, {}, [], struct(), @sin, 100, 3, 0}, "input 4 \\(xmin\\) must be a real double array, not cell$"
%!   {zeros(0, 12), 2, 3, 1, 1, 1, 1, 100, -1, 1}, "input 9 \\(numberBins\\) must not be negative, not -1$"
%!   with_arg(r, 10, -1),                        "input 10 \\(numberWindows\\) must not be negative, not -1$"
%!   ## a window with no width or height
%!   {H, 2, 3, 2, 1, 1, 1, 100, 3, 1},           "error xmax - xmin <=0 or ymax - ymin<=0$"
%!   {H, 2, 3, 1, 2, 1, 1, 100, 3, 1},           "error xmax - xmin <=0 or ymax - ymin<=0$"
%!   {H, 2, 3, 1, 1, -Inf, 1, 100, 3, 1},        "error xmax - xmin <=0 or ymax - ymin<=0$"
%!   ## windows whose corners are not corners of the image
%!   {H, 2, 3, 0, 1, 1, 1, 100, 3, 1},           "window 1 \\(xmin 0, ymin 1, xmax 1, ymax 1\\) would be read outside input 1 \\(integralHistogram\\): it must lie inside the image of 2 rows and 3 columns$"
%!   {H, 2, 3, 1, 1, 4, 1, 100, 3, 1},           "window 1 \\(xmin 1, ymin 1, xmax 4, ymax 1\\) would be read outside"
%!   {H, 2, 3, 1, 1, 1, 3, 100, 3, 1},           "window 1 \\(xmin 1, ymin 1, xmax 1, ymax 3\\) would be read outside"
%!   {H, 2, 3, [1 -5], [1 1], [1 -4], [1 1], 100, 3, 2}, "window 2 \\(xmin -5, ymin 1, xmax -4, ymax 1\\) would be read outside"
%!   {H, 2, 3, NaN, 1, 1, 1, 100, 3, 1},         "window 1 \\(xmin NaN, ymin 1, xmax 1, ymax 1\\) would be read outside"
%!   {H, 2, 3, 1, 1, NaN, 1, 100, 3, 1},         "window 1 \\(xmin 1, ymin 1, xmax NaN, ymax 1\\) would be read outside"
%!   {H, 2, 3, 1, 1, Inf, 1, 100, 3, 1},         "window 1 \\(xmin 1, ymin 1, xmax Inf, ymax 1\\) would be read outside"
%!   {H, 2, 3, 1e300, 1, 1e300, 1, 100, 3, 1},   "window 1 \\(xmin 1e\\+300, ymin 1, xmax 1e\\+300, ymax 1\\) would be read outside"
%!   ## a surround below -200 percent turns inside out, past the image
%!   {H, 2, 3, 2, 1, 2, 1, -1000, 3, 1},         "window 1 \\(xmin 2, ymin 1, xmax 2, ymax 1\\) would be read outside input 1 \\(integralHistogram\\): its surround box, columns 7..-3 and rows 6..-4 for input 8 \\(surroundPercent\\) -1000, leaves the image of 2 rows and 3 columns$"
%! }];
%! check_rows (@ringdiff, 1, rows);

## Defined results: scalars of other classes, coordinate arrays of any shape,
## fewer windows than elements, a percentage down to -200.
%!test
%! s = ringdiff (r{:});
%! assert (ringdiff (H, int32 (2), single (3), [1 2], [1 1], [2 3], [1 2], uint8 (100), 3.9, 2.5), s);
%! assert (ringdiff (H, 2, 3, [1; 2], [1 1](ones (1, 1, 2)), [2 3 9], [1 2 NaN], 100, 3, 2), s);
%! assert (isfinite (ringdiff (H, 2, 3, 1, 1, 2, 1, -200, 3, 1)));
%! assert (size (ringdiff (H, 2, 3, [], [], [], [], 100, 3, 0)), [0 1]);

## ----------------------------------------------------------------- gridsweep
%!shared A, B, g
%! A = [0 0 0; 0 1 3; 0 4 10];
%! B = [0 0 0; 0 1 2; 0 2 4];
%! g = {zeros(2), 2, 1, 1, 0, A, B};

%!test
%! noth = "input 1 \\(h\\) must be a real double matrix 64 x 64$";
%! rows = wrong_classes (g, noth, "");
%! rows = [rows; bad_scalars(g, 2, "gridSize"); bad_scalars(g, 3, "minWidth"); bad_scalars(g, 4, "minHeight")];
%! for k = 6:7
%!   name = {"integralImageA", "integralImageB"}{k - 5};
%!   rows = [rows; data_classes(g, k, name)];
%!   rows(end+1, :) = {with_arg(g, k, ones (2, 2)), sprintf("input %d \\(%s\\) must hold at least 9 elements, not 4$", k, name)};
%!   rows(end+1, :) = {with_arg(g, k, A(1:8)), sprintf("input %d \\(%s\\) must hold at least 9 elements, not 8$", k, name)};
%!   rows(end+1, :) = {with_arg(g, k, []), sprintf("input %d \\(%s\\) must hold at least 9 elements, not 0$", k, name)};
%! end
%! rows = [rows; {
%!   with_arg(g, 1, zeros (2, 2, 2)),      noth
%!   with_arg(g, 1, zeros (0, 0, 2)),      noth
%!   with_arg(g, 2, 46341),                "input 2 \\(gridSize\\) must lie in -46340..46340 so that gridSize\\*gridSize fits a signed 32-bit integer, not 46341$"
%!   with_arg(g, 2, -46341),               "input 2 \\(gridSize\\) must lie in -46340..46340 .*, not -46341$"
%!   with_arg(g, 2, 3),                    "input 6 \\(integralImageA\\) must hold at least 16 elements, not 9$"
%!   with_arg(g, 2, 1e4),                  "input 6 \\(integralImageA\\) must hold at least 100020001 elements, not 9$"
%! }];
%! check_rows (@gridsweep, 1, rows);

## Defined results: h of any size (even sparse), input 5 anything, the
## integral images in any shape, minimum sizes below 1 acting as 1, n <= 0.
%!test
%! S = gridsweep (g{:});
%! assert (S, [1 3 4 10; 0 2 0 6; 0 0 3 7; 0 0 0 4]);
%! assert (gridsweep (zeros (0, 3), 2, 1, 1, {}, A, B), S);
%! assert (gridsweep (sparse (5), 2, 1, 1, @sin, A(:)', [B(:); 7]), S);
%! assert (gridsweep (zeros (2), 2, 0, -5, struct (), A, B), S);
%! assert (gridsweep (zeros (2), int32 (2), true, 1.9, NaN, A, B), S);
%! assert (gridsweep (zeros (2), 2, 3, 1, [], A, B), zeros (4));
%! assert (gridsweep (zeros (2), 0, 1, 1, 0, {}, @sin), zeros (0));
%! assert (gridsweep (zeros (2), -2, 1, 1, 0, [], []), zeros (4));
%! assert (gridsweep (zeros (2), 2, 1, 1, 0, [0 0 0 0 NaN 4 0 3 10], B)(1, 1), NaN);

## ------------------------------------------------------------------ peakpick
%!shared P, p
%! P = ones (12, 12);
%! p = {P, 4, 3, 3};

%!test
%! noth = "input 1 \\(h\\) must be a real double matrix$";
%! rows = wrong_classes (p, noth, "h");
%! names = {"sizeX", "sizeY", "neighbourhoodSize"};
%! for k = 2:4
%!   finite = sprintf ("input %d \\(%s\\) must be a finite number, not ", k, names{k - 1});
%!   notnum = sprintf ("input %d \\(%s\\) must be a non-empty, non-sparse numeric array$", k, names{k - 1});
%!   rows = [rows; {
%!     with_arg(p, k, NaN),  [finite "NaN$"]
%!     with_arg(p, k, Inf),  [finite "Inf$"]
%!     with_arg(p, k, -Inf), [finite "-Inf$"]
%!     with_arg(p, k, []),   notnum
%!     with_arg(p, k, {3}),  notnum
%!     with_arg(p, k, sparse (3)), notnum
%!     with_arg(p, k, @sin), notnum
%!   }];
%! end
%! rows = [rows; {
%!   with_arg(p, 1, ones (12, 6, 2)),     noth
%!   with_arg(p, 1, ones (4, 3, 4, 3)),   noth
%!   with_arg(p, 1, P(1:end-1)),          "input 1 \\(h\\) must hold at least 144 elements, not 143$"
%!   with_arg(p, 1, []),                  "input 1 \\(h\\) must hold at least 144 elements, not 0$"
%!   {P, 5, 3, 3},                        "input 1 \\(h\\) must hold at least 225 elements, not 144$"
%!   {P, 3e9, 3, 3},                      "input 2 \\(sizeX\\) must be a number whose integer part fits a signed 32-bit integer$"
%!   {P, 4, -3e9, 3},                     "input 3 \\(sizeY\\) must be a number whose integer part fits a signed 32-bit integer$"
%!   {P, 1000, 1000, 3},                  "inputs 2 and 3 \\(sizeX, sizeY\\) describe an array of 1000000000000 elements, more than signed 32-bit offsets can address$"
%!   {P, -1000, 1000, 3},                 "inputs 2 and 3 \\(sizeX, sizeY\\) describe an array of 1000000000000 elements"
%!   {P, 4, 3, 0.999},                    "input 4 \\(neighbourhoodSize\\) must be at least 1, not 0.999$"
%!   {P, 4, 3, -3},                       "input 4 \\(neighbourhoodSize\\) must be at least 1, not -3$"
%!   ## more maxima than the outputs hold: 4 blocks, n = 3
%!   {ones(25, 25), 5, 5, 7},             "found 4 local maxima but the outputs hold only 3; this sizeX, sizeY and neighbourhoodSize give too short an output$"
%!   {ones(9, 9), 3, 3, 4},               "found 4 local maxima but the outputs hold only 3"
%! }];
%! check_rows (@peakpick, 5, rows);

## Defined results: sizes of other classes, h in any 2-D shape with extra
## elements, sizes that visit no block.
%!test
%! [x1, y1, x2, y2, s] = peakpick (p{:});
%! assert ([x1; y1; x2; y2; s], [1 1 1 1 3 3 0 0 0; 1 1 1 1 1 1 0 0 0; 1 1 3 3 3 3 0 0 0; 1 3 1 3 1 3 0 0 0; 1 1 1 1 1 1 0 0 0]);
%! [a, b, c, d, e] = peakpick ([P(:); NaN]', int8 (4), single (3), true + 2);
%! assert ({a, b, c, d, e}, {x1, y1, x2, y2, s});
%! [a, b, c, d, e] = peakpick (P, 4, 3, 9);          # no whole block fits
%! assert ([a; b; c; d; e], zeros (5, 1));
%! [a, b, c, d, e] = peakpick ([], 0, 3, 3);
%! assert (size (e), [1 0]);
%! [a, b, c, d, e] = peakpick (zeros (81, 1), -3, 3, 3);   # negative sizes visit nothing
%! assert ([a; b; c; d; e], zeros (5, 6));
%! [a, b, c, d, e] = peakpick (-P, 4, 3, 3);
%! assert (e, zeros (1, 9));

## -------------------------------------------------------------- drawweighted
%!shared w
%! w = {[1 2 3], 2, 1};

%!test
%! notvec = "input 1 \\(X\\) must be a real double scoreVector$";
%! rows = [wrong_classes(w, notvec, "scoreVector");
%!         bad_scalars(w, 2, "numberSamples"); bad_scalars(w, 3, "replacementOption")];
%! rows = [rows; {
%!   {ones(1, 3, 2), 2, 1},       notvec
%!   {zeros(0, 0, 2), 0, 1},      notvec
%!   {[1 2 3], -1, 1},            "input 2 \\(numberSamples\\) must not be negative, not -1$"
%!   {[1 2 3], 4, 0},             "numberSamples <= length scoreVector \\(sampling without replacement\\)$"
%!   {[1 2 3], 4, 0.9},           "numberSamples <= length scoreVector \\(sampling without replacement\\)$"
%!   {[1 2 3]', 2147483647, 0},   "numberSamples <= length scoreVector \\(sampling without replacement\\)$"
%!   {[], 1, 0},                  "numberSamples <= length scoreVector \\(sampling without replacement\\)$"
%!   {[], 1, 1},                  "input 1 \\(scoreVector\\) must not be empty when numberSamples is 1 or more$"
%!   {zeros(0, 4), 2, 0},         "input 1 \\(scoreVector\\) must not be empty when numberSamples is 1 or more$"
%! }];
%! check_rows (@drawweighted, 1, rows);

## Defined results: unvalidated scores (NaN, Inf, negative) still give indices
## in 1..L; n = 0 from an empty vector; scalars of other classes.
%!test
%! for s = {[NaN 1 2], [1 Inf 2], [-1 -2 5], [NaN NaN NaN], [Inf Inf 1], [0 0 0]}
%!   d = drawweighted (s{1}, 20, 1);
%!   assert (size (d), [1 20]);
%!   assert (all (d >= 1 & d <= 3 & d == fix (d)));
%!   d = drawweighted (s{1}, 3, 0);
%!   assert (all (d >= 1 & d <= 3 & d == fix (d)));
%! end
%! assert (size (drawweighted ([], 0, 1)), [1 0]);
%! assert (size (drawweighted ([1 2 3], int32 (2), true)), [1 2]);
%! assert (size (drawweighted ([1 2; 3 4; 5 6], 3, 0)), [1 3]);

## ---------------------------------------------------------------- greedypick
%!shared L, e
%! L = ones (1e5, 1);
%! e = {L, 0, L, L, L, L, 2};

%!test
%! names = {"areaVector", "", "xmin", "ymin", "xmax", "ymax"};
%! rows = {};
%! for k = [1 3:6]
%!   rows = [rows; data_classes(e, k, names{k})];
%!   rows(end+1, :) = {with_arg(e, k, L(2:end)), sprintf("input %d \\(%s\\) must hold at least 100000 elements, not 99999$", k, names{k})};
%!   rows(end+1, :) = {with_arg(e, k, []), sprintf("input %d \\(%s\\) must hold at least 100000 elements, not 0$", k, names{k})};
%! end
%! rows = [rows; bad_scalars(e, 7, "numberKept"); {
%!   with_arg(e, 7, -1),  "input 7 \\(numberKept\\) must not be negative, not -1$"
%! }];
%! check_rows (@greedypick, 1, rows);

## Defined results: input 2 is never read, lists of any shape, unvalidated
## areas and coordinates (NaN, zero and negative areas), c above the list length.
%!test
%! assert (greedypick (e{:}), [0; -1]);
%! for two = {{}, struct(), @sin, [], sparse(1), "x", 1i}
%!   assert (greedypick (L, two{1}, L, L, L, L, 2), [0; -1]);
%! end
%! assert (greedypick (L', 0, reshape (L, 10, 1e4), L, ones (1e3, 1e2, 2), L, int8 (2)), [0; -1]);
%! [k, m] = greedypick (NaN (1e5, 1), 0, L, L, L, L, 2);
%! assert (k, [0; 1]);                      # a NaN ratio never suppresses
%! [k, m] = greedypick (zeros (1e5, 1), 0, L, L, L, L, 2);
%! assert (k, [0; 1]);                      # a negative union never suppresses
%! [k, m] = greedypick (L, 0, L, L, L, L, 1e6);
%! assert (size (k), [1e6 1]);
%! assert (k(1) == 0 && all (k(2:end) == -1) && all (m == 1));
%! [k, m] = greedypick (L, 0, NaN (1e5, 1), L, L, L, 3);
%! assert (k, [0; 1; 2]);                   # NaN coordinates never overlap
