## Bad input for every plug-in, as a table: each row is a call and what must
## happen. An error row gives its fault and what the message must name, as
## "<fault>|<text>|<text>...": the identifier must be winscore:<name>:<fault>
## and each text (the input or window at fault, the class named) appear in
## the message; the exact texts are tested once, in the native tests. A row
## that must succeed is an %!assert of its defined result. Inputs read only
## through their data must be dense real double arrays.

%!function r = with_arg (args, k, value)
%!  r = args;
%!  r{k} = value;
%!endfunction

## Calls f once per row, {arguments, "<fault>|<text>..."}, and lists every row
## whose call did not fail with that identifier and a message "<name>: ..."
## naming every text.
%!function check_rows (f, nout, table)
%!  name = func2str (f);
%!  bad = {};
%!  for i = 1:size (table, 1)
%!    [args, expected] = deal (table{i, :});
%!    parts = strsplit (expected, "|");
%!    out = cell (1, nout);
%!    try
%!      [out{:}] = f (args{:});
%!      bad{end+1} = sprintf ("row %d: no error, expected %s", i, expected);
%!    catch err
%!      named = cellfun (@(t) ! isempty (strfind (err.message, t)), parts(2:end));
%!      if (! strcmp (err.identifier, ["winscore:" name ":" parts{1}]))
%!        bad{end+1} = sprintf ("row %d: identifier '%s', expected %s", i, err.identifier, parts{1});
%!      elseif (! strncmp (err.message, [name ": "], numel (name) + 2) || ! all (named))
%!        bad{end+1} = sprintf ("row %d: '%s', expected %s", i, err.message, expected);
%!      end
%!    end
%!  end
%!  if (! isempty (bad))
%!    error ("%s: %d of %d rows wrong\n%s", name, numel (bad), size (table, 1), strjoin (bad, "\n"));
%!  end
%!endfunction

## Input 1 of args replaced by the same values in every wrong class: each must
## fail with the plug-in's own fault, except the sparse one, which passes the
## input-1 test and is refused as data read through its doubles (name "": it is
## never read, and passes).
%!function rows = wrong_classes (args, fault, name)
%!  x = args{1};
%!  variants = {single(x), int32(x), uint8(x), logical(x != 0), char(x + 48), complex(x, 1), ...
%!              num2cell(x), struct("a", x), @sin};
%!  rows = [cellfun(@(v) with_arg (args, 1, v), variants, "UniformOutput", false); ...
%!          repmat({fault}, 1, numel (variants))]';
%!  if (! isempty (name))
%!    rows(end+1, :) = {with_arg(args, 1, sparse (double (x))), ...
%!                      sprintf("notRealDouble|input 1 (%s)|not sparse double; convert it with full(%s)", name, name)};
%!  end
%!endfunction

## Data input k of args, read through its doubles, replaced by the same values
## in every wrong class: each message names the class, and the conversion where
## one exists.
%!function rows = data_classes (args, k, name)
%!  x = args{k};
%!  todouble = sprintf ("; convert it with double(%s)", name);
%!  table = {single(x),         "single",          todouble
%!           int32(x),          "int32",           todouble
%!           uint8(x),          "uint8",           todouble
%!           logical(x != 0),   "logical",         todouble
%!           char(x + 48),      "char",            todouble
%!           complex(x, 1),     "complex double",  ""
%!           num2cell(x),       "cell",            ""
%!           struct("a", x),    "struct",          ""
%!           @sin,              "function_handle", ""
%!           sparse(double(x)), "sparse double",   sprintf("; convert it with full(%s)", name)
%!           sparse(x != 0),    "sparse logical",  sprintf("; convert it with full(double(%s))", name)};
%!  rows = cell (size (table, 1), 2);
%!  for i = 1:size (table, 1)
%!    rows(i, :) = {with_arg(args, k, table{i, 1}), ...
%!                  sprintf("notRealDouble|input %d (%s)|not %s%s", k, name, table{i, 2:3})};
%!  end
%!endfunction

## Scalar input k of args as NaN, infinite, beyond 32 bits, empty or not a number.
%!function rows = bad_scalars (args, k, name)
%!  range = sprintf ("notInt32|input %d (%s)", k, name);
%!  notnum = sprintf ("notScalar|input %d (%s)", k, name);
%!  values = {NaN, Inf, -Inf, 3e9, -3e9, [], zeros(0, 3), {1}, struct("a", 1), sparse(1), @sin};
%!  expected = [repmat({range}, 1, 5), repmat({notnum}, 1, 6)];
%!  rows = [cellfun(@(v) with_arg (args, k, v), values, "UniformOutput", false); expected]';
%!endfunction

## ---------------------------------------------------------------- tallyplane
%!shared q, t
%! q = [1 2 3; 3 2 1];
%! t = {q, 2, 3, 3};

%!test
%! notmatrix = "notRealDoubleMatrix";
%! rows = [wrong_classes(t, notmatrix, "quantMatrix");
%!         bad_scalars(t, 2, "numberRows"); bad_scalars(t, 3, "numberColumns"); bad_scalars(t, 4, "numberBins")];
%! rows = [rows; {
%!   {ones(2, 3, 2), 2, 3, 3},   notmatrix
%!   {zeros(2, 0, 3), 0, 0, 3},  notmatrix
%!   {q(1:5), 2, 3, 3},          "tooFewElements|input 1 (quantMatrix)"
%!   {[], 1, 1, 3},              "tooFewElements|input 1 (quantMatrix)"
%!   {q, 1e5, 1e5, 3},           "tooFewElements|input 1 (quantMatrix)"
%!   {q, -1, 3, 3},              "negative|input 2 (numberRows)"
%!   {q, 2, -1, 3},              "negative|input 3 (numberColumns)"
%!   {q, 2, 3, -1},              "negative|input 4 (numberBins)"
%!   ## bins outside 1..B would be marked outside the pixel's own column
%!   {[1 NaN], 1, 2, 3},         "binOutOfRange|input 1 (quantMatrix)"
%!   {[1 Inf], 1, 2, 3},         "binOutOfRange|input 1 (quantMatrix)"
%!   {[1 -Inf], 1, 2, 3},        "binOutOfRange|input 1 (quantMatrix)"
%!   {[1 0.999], 1, 2, 3},       "binOutOfRange|input 1 (quantMatrix)"
%!   {[1 4], 1, 2, 3},           "binOutOfRange|input 1 (quantMatrix)"
%!   {[1 1e300], 1, 2, 3},       "binOutOfRange|input 1 (quantMatrix)"
%!   {1, 1, 1, 0},               "binOutOfRange|input 1 (quantMatrix)"
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
%! notmatrix = "notRealDoubleMatrix";
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
%!   with_arg(r, 1, H(1:2, :)),                  "rowsNotBins|input 1 (integralHistogram)"
%!   with_arg(r, 1, H(:)'),                      notmatrix
%!   with_arg(r, 5, 1),                          "tooFewElements|input 5 (ymin)"
%!   with_arg(r, 7, []),                         "tooFewElements|input 7 (ymax)"
%!   with_arg(r, 10, 3),                         "tooFewElements|input 4 (xmin)"
%!   {zeros(3, 0), -1, 3, 1, 1, 1, 1, 100, 3, 1}, "negative|input 2 (numberRows)"
%!   {zeros(3, 0), 1, -1, 1, 1, 1, 1, 100, 3, 1}, "negative|input 3 (numberColumns)"
%!   with_arg(r, 9, -3),                         "negative|input 9 (numberBins)"
%!   {H, 2, 3, {}, [], struct(), @sin, 100, 3, 0}, "notRealDouble|input 4 (xmin)"
%!   {zeros(0, 12), 2, 3, 1, 1, 1, 1, 100, -1, 1}, "negative|input 9 (numberBins)"
%!   with_arg(r, 10, -1),                        "negative|input 10 (numberWindows)"
%!   ## a window with no width or height
%!   {H, 2, 3, 2, 1, 1, 1, 100, 3, 1},           "emptyWindow"
%!   {H, 2, 3, 1, 2, 1, 1, 100, 3, 1},           "emptyWindow"
%!   {H, 2, 3, 1, 1, -Inf, 1, 100, 3, 1},        "emptyWindow"
%!   ## windows whose corners are not corners of the image
%!   {H, 2, 3, 0, 1, 1, 1, 100, 3, 1},           "windowOutside|window 1 (xmin 0, ymin 1, xmax 1, ymax 1)"
%!   {H, 2, 3, 1, 1, 4, 1, 100, 3, 1},           "windowOutside|window 1 (xmin 1, ymin 1, xmax 4, ymax 1)"
%!   {H, 2, 3, 1, 1, 1, 3, 100, 3, 1},           "windowOutside|window 1 (xmin 1, ymin 1, xmax 1, ymax 3)"
%!   {H, 2, 3, [1 -5], [1 1], [1 -4], [1 1], 100, 3, 2}, "windowOutside|window 2 (xmin -5, ymin 1, xmax -4, ymax 1)"
%!   {H, 2, 3, NaN, 1, 1, 1, 100, 3, 1},         "windowOutside|window 1 (xmin NaN, ymin 1, xmax 1, ymax 1)"
%!   {H, 2, 3, 1, 1, NaN, 1, 100, 3, 1},         "windowOutside|window 1 (xmin 1, ymin 1, xmax NaN, ymax 1)"
%!   {H, 2, 3, 1, 1, Inf, 1, 100, 3, 1},         "windowOutside|window 1 (xmin 1, ymin 1, xmax Inf, ymax 1)"
%!   {H, 2, 3, 1e300, 1, 1e300, 1, 100, 3, 1},   "windowOutside|window 1 (xmin 1e+300, ymin 1, xmax 1e+300, ymax 1)"
%!   ## a surround below -200 percent turns inside out, past the image
%!   {H, 2, 3, 2, 1, 2, 1, -1000, 3, 1},         "surroundOutside|window 1 (xmin 2, ymin 1, xmax 2, ymax 1)"
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
%! noth = "notRealDoubleMatrix";
%! rows = wrong_classes (g, noth, "");
%! rows = [rows; bad_scalars(g, 2, "gridSize"); bad_scalars(g, 3, "minWidth"); bad_scalars(g, 4, "minHeight")];
%! for k = 6:7
%!   name = {"integralImageA", "integralImageB"}{k - 5};
%!   rows = [rows; data_classes(g, k, name)];
%!   short = sprintf ("tooFewElements|input %d (%s)", k, name);
%!   rows = [rows; {with_arg(g, k, ones (2, 2)), short; with_arg(g, k, A(1:8)), short; with_arg(g, k, []), short}];
%! end
%! rows = [rows; {
%!   with_arg(g, 1, zeros (2, 2, 2)),      noth
%!   with_arg(g, 1, zeros (0, 0, 2)),      noth
%!   with_arg(g, 2, 46341),                "gridSizeTooLarge|input 2 (gridSize)"
%!   with_arg(g, 2, -46341),               "gridSizeTooLarge|input 2 (gridSize)"
%!   with_arg(g, 2, 3),                    "tooFewElements|input 6 (integralImageA)"
%!   with_arg(g, 2, 1e4),                  "tooFewElements|input 6 (integralImageA)"
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
%! noth = "notRealDoubleMatrix";
%! rows = wrong_classes (p, noth, "h");
%! names = {"sizeX", "sizeY", "neighbourhoodSize"};
%! for k = 2:4
%!   finite = sprintf ("notFinite|input %d (%s)", k, names{k - 1});
%!   notnum = sprintf ("notScalar|input %d (%s)", k, names{k - 1});
%!   rows = [rows; {
%!     with_arg(p, k, NaN),  finite
%!     with_arg(p, k, Inf),  finite
%!     with_arg(p, k, -Inf), finite
%!     with_arg(p, k, []),   notnum
%!     with_arg(p, k, {3}),  notnum
%!     with_arg(p, k, sparse (3)), notnum
%!     with_arg(p, k, @sin), notnum
%!   }];
%! end
%! rows = [rows; {
%!   with_arg(p, 1, ones (12, 6, 2)),     noth
%!   with_arg(p, 1, ones (4, 3, 4, 3)),   noth
%!   with_arg(p, 1, P(1:end-1)),          "tooFewElements|input 1 (h)"
%!   with_arg(p, 1, []),                  "tooFewElements|input 1 (h)"
%!   {P, 5, 3, 3},                        "tooFewElements|input 1 (h)"
%!   {P, 3e9, 3, 3},                      "notInt32|input 2 (sizeX)"
%!   {P, 4, -3e9, 3},                     "notInt32|input 3 (sizeY)"
%!   {P, 1000, 1000, 3},                  "arrayTooLarge|inputs 2 and 3 (sizeX, sizeY)"
%!   {P, -1000, 1000, 3},                 "arrayTooLarge|inputs 2 and 3 (sizeX, sizeY)"
%!   {P, 4, 3, 0.999},                    "neighbourhoodTooSmall|input 4 (neighbourhoodSize)"
%!   {P, 4, 3, -3},                       "neighbourhoodTooSmall|input 4 (neighbourhoodSize)"
%!   ## more maxima than the outputs hold: 4 blocks, n = 3
%!   {ones(25, 25), 5, 5, 7},             "tooManyMaxima"
%!   {ones(9, 9), 3, 3, 4},               "tooManyMaxima"
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
%! notvec = "notRealDoubleMatrix";
%! rows = [wrong_classes(w, notvec, "scoreVector");
%!         bad_scalars(w, 2, "numberSamples"); bad_scalars(w, 3, "replacementOption")];
%! rows = [rows; {
%!   {ones(1, 3, 2), 2, 1},       notvec
%!   {zeros(0, 0, 2), 0, 1},      notvec
%!   {[1 2 3], -1, 1},            "negative|input 2 (numberSamples)"
%!   {[1 2 3], 4, 0},             "tooManySamples"
%!   {[1 2 3], 4, 0.9},           "tooManySamples"
%!   {[1 2 3]', 2147483647, 0},   "tooManySamples"
%!   {[], 1, 0},                  "tooManySamples"
%!   {[], 1, 1},                  "emptyScoreVector|input 1 (scoreVector)"
%!   {zeros(0, 4), 2, 0},         "emptyScoreVector|input 1 (scoreVector)"
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
%!   short = sprintf ("tooFewElements|input %d (%s)", k, names{k});
%!   rows = [rows; {with_arg(e, k, L(2:end)), short; with_arg(e, k, []), short}];
%! end
%! rows = [rows; bad_scalars(e, 7, "numberKept"); {
%!   with_arg(e, 7, -1),  "negative|input 7 (numberKept)"
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
