## The toolbox API's building blocks against the plug-ins they wrap.

%!function r = samebits (a, b)
%!  r = isequal (size (a), size (b)) && isequal (typecast (a(:), "uint64"), typecast (b(:), "uint64"));
%!endfunction

%!function q = random_bins (R, C, B, seed)
%!  rand ("state", seed);
%!  q = floor (1 + B * rand (R, C));
%!  q(1:floor (R / 2), 1:floor (C / 3)) = 1;   # a block of one colour
%!endfunction

%!function b = random_boxes (R, C, N, seed)
%!  rand ("state", seed);
%!  x0 = floor (1 + C * rand (N, 1)); y0 = floor (1 + R * rand (N, 1));
%!  x1 = min (C, x0 + floor (C / 2 * rand (N, 1))); y1 = min (R, y0 + floor (R / 2 * rand (N, 1)));
%!  b = [x0, y0, x1, y1];
%!endfunction

## The seeded generator: the block-by-block jump equals the plain recurrence,
## every value is exact, and the seed's whole range works.
%!test
%! for seed = [0, 1, 12345, 2^32 - 1]
%!   u = winscore.internal.uniform (seed, 1000);
%!   s = seed; plain = zeros (1000, 1);
%!   for k = 1:1000
%!     s = mod (214013 * s + 2531011, 2^32);
%!     plain(k) = s / 2^32;
%!   end
%!   assert (u, plain);
%!   assert (all (u >= 0 & u < 1));
%! end
%! assert (size (winscore.internal.uniform (1, 0)), [0 1]);
%! u = winscore.internal.uniform (1, 5000);
%! assert (winscore.internal.uniform (1, 5), u(1:5));

## quantise: the colour levels, every class mapped by its full range.
%!test
%! img = zeros (1, 4, 3);
%! img(1, :, 1) = [0 0.25 0.5 1];
%! img(1, :, 3) = [0 0 0.99 1];
%! assert (winscore.quantise (img, 64), 1 + [0 1 2 3] + 16 * [0 0 3 3]);
%! assert (winscore.quantise (img, 8), 1 + [0 0 1 1] + 4 * [0 0 1 1]);
%! assert (winscore.quantise ([0 0.49 0.5 1 NaN -0.04 1.04], 2), [1 1 2 2 1 1 2]);
%! assert (winscore.quantise (uint8 ([0 63 64 127 128 255]), 4), [1 1 2 2 3 4]);
%! assert (winscore.quantise (int8 ([-128 -1 0 127]), 2), [1 1 2 2]);
%! assert (winscore.quantise (int16 ([-32768 32767]), 16), [1 16]);
%! assert (winscore.quantise ([true false], 5), [5 1]);
%! assert (winscore.quantise (single ([0.2 0.8]), 5), [2 5]);
%! ## Integer classes: the bits of the plain conversion, v / intmax.
%! rand ("state", 2);
%! img8 = uint8 (floor (256 * rand (30, 40, 3)));
%! plain = min (floor ((double (img8) / 255) * 4), 3);
%! assert (winscore.quantise (img8, 64), 1 + plain(:, :, 1) + 4 * plain(:, :, 2) + 16 * plain(:, :, 3));
%! img16 = uint16 (floor (65536 * rand (20, 20)));
%! assert (winscore.quantise (img16, 7), 1 + min (floor ((double (img16) / 65535) * 7), 6));
%! assert (winscore.quantise (uint32 (img16) * 65536, 7), winscore.quantise (img16, 7));

%!error id=winscore:quantise:binsNotCube winscore.quantise (zeros (3, 3, 3), 16)
%!error id=winscore:quantise:notImage winscore.quantise (zeros (3, 3, 2), 8)
%!error id=winscore:quantise:badValue winscore.quantise (ones (2), 2.5)

## contrast is tallyplane then ringdiff, to the bit, with R and C from the image.
%!test
%! for shape = [37 53; 53 37; 1 9; 9 1]'
%!   R = shape(1); C = shape(2);
%!   q = random_bins (R, C, 16, R);
%!   boxes = random_boxes (R, C, 400, C);
%!   H = tallyplane (q, R, C, 16);
%!   for p = [50 100 37.9 -150]
%!     want = ringdiff (H, R, C, boxes(:, 1), boxes(:, 2), boxes(:, 3), boxes(:, 4), p, 16, 400);
%!     [got, bytes] = winscore.contrast (q, boxes, "Surround", p, "Bins", 16);
%!     assert (samebits (got, want));
%!     assert (bytes > 0);
%!   end
%! end
%! ## Bins defaults to the largest bin number; boxes of any numeric class.
%! q = random_bins (20, 30, 5, 1);
%! want = ringdiff (tallyplane (q, 20, 30, 5), 20, 30, 1, 1, 10, 10, 50, 5, 1);
%! assert (samebits (winscore.contrast (q, int16 ([1 1 10 10])), want));
%! assert (size (winscore.contrast (q, zeros (0, 4))), [0 1]);
%! assert (size (winscore.contrast (q, [])), [0 1]);

## The first box outside the image is named, with its corners.
%!test
%! q = ones (20, 30);
%! try
%!   winscore.contrast (q, [1 1 30 20; 2 2 5 5; 1 1 31 20; -1 1 5 5]);
%!   error ("no error");
%! catch err
%!   assert (err.identifier, "winscore:contrast:boxOutside");
%!   assert (err.message, "winscore.contrast: box 3, [1 1 31 20], does not lie in the image, 30 wide x 20 high");
%! end

## The working memory is given and refused above 'MaxBytes'; it does not
## grow with the image times the bins as the integral histogram did.
%!test
%! q = ones (100, 200);
%! [~, bytes] = winscore.contrast (q, [1 1 5 5], "Bins", 64);
%! try
%!   winscore.contrast (q, [1 1 5 5], "Bins", 64, "MaxBytes", bytes - 1);
%!   error ("no error");
%! catch err
%!   assert (err.identifier, "winscore:contrast:tooMuchMemory");
%!   assert (! isempty (strfind (err.message, "raise 'MaxBytes'")));
%! end
%! [~, same] = winscore.contrast (q, [1 1 5 5], "Bins", 64, "MaxBytes", bytes);
%! assert (same, bytes);
%! [~, photo] = winscore.contrast (ones (768, 1024), [1 1 5 5], "Bins", 64);
%! assert (photo < 16e6);

%!error id=winscore:contrast:boxNotWhole winscore.contrast (ones (5), [1 1 2.5 3])
%!error id=winscore:contrast:boxOrder winscore.contrast (ones (5), [3 1 2 3])
%!error id=winscore:contrast:binRange winscore.contrast ([1 2; 0 1], [1 1 2 2])
%!error id=winscore:contrast:binRange winscore.contrast ([1 2; 3 1.5], [1 1 2 2])
%!error id=winscore:contrast:binRange winscore.contrast ([1 2; 3 4], [1 1 2 2], "Bins", 3)
%!error <holds 1..2 \(not whole numbers\)> winscore.contrast ([1 2; NaN 1], [1 1 2 2])
%!error <in 1..B, but holds 1..Inf> winscore.contrast ([1 2; Inf 1], [1 1 2 2])
%!assert (winscore.contrast (uint8 ([1 2; 2 1]), [1 1 1 1]), winscore.contrast ([1 2; 2 1], [1 1 1 1]))
%!error id=winscore:contrast:unknownOption winscore.contrast (ones (5), [1 1 2 2], "Surroundings", 5)
%!error id=winscore:contrast:options winscore.contrast (ones (5), [1 1 2 2], "Bins")

## select is sort, pad, greedypick and back to indices.
%!test
%! R = 200; C = 300; N = 3000;
%! rand ("state", 4);
%! centres = floor ([1 + 250 * rand(20, 1), 1 + 150 * rand(20, 1)]);
%! pick = ceil (20 * rand (N, 1));
%! x0 = centres(pick, 1) + floor (10 * rand (N, 1)); y0 = centres(pick, 2) + floor (10 * rand (N, 1));
%! w = 5 + floor (40 * rand (N, 1)); h = 5 + floor (40 * rand (N, 1));
%! boxes = [x0, y0, x0 + w, y0 + h];
%! scores = round (20 * rand (N, 1)) / 10;       # many equal scores
%! for k = [1 7 50 5000]
%!   [~, order] = sort (scores, "descend");      # stable: ties keep list order
%!   list = [boxes(order, :); -10 * ones(100000 - N, 4)];
%!   areas = (list(:, 3) - list(:, 1) + 1) .* (list(:, 4) - list(:, 2) + 1);
%!   kept = greedypick (areas, 0, list(:, 1), list(:, 2), list(:, 3), list(:, 4), k);
%!   want = order(kept(kept >= 0 & kept < N) + 1);
%!   assert (winscore.select (boxes, scores, k), want);
%! end

## Ties keep their list order, the count is capped by the list, and a full
## list of 100000 boxes works.
%!test
%! boxes = [1 1 10 10; 1 1 10 10; 50 50 60 60];
%! assert (winscore.select (boxes, [1 1 1], 5), [1; 3]);
%! assert (winscore.select (boxes([2 1 3], :), [1 1 2], 5), [3; 1]);
%! assert (winscore.select (boxes, [-Inf 0 Inf], 5), [3; 2]);
%! assert (size (winscore.select (boxes, [1 2 3], 0)), [0 1]);
%! assert (size (winscore.select (zeros (0, 4), [], 3)), [0 1]);
%! x = (1:100000)' * 20;
%! idx = winscore.select ([x, ones(100000, 1), x + 9, 10 * ones(100000, 1)], 100000:-1:1, 3);
%! assert (idx, [1; 2; 3]);

%!assert (winscore.select (ones (100001, 4), ones (100001, 1), 1), 1)
%!error id=winscore:select:scores winscore.select ([1 1 2 2; 1 1 3 3], [1 NaN], 1)
%!error id=winscore:select:scores winscore.select ([1 1 2 2; 1 1 3 3], [1 2 3], 1)
%!error id=winscore:select:badValue winscore.select ([1 1 2 2], 1, 1.5)

## sample is drawweighted as a column, and leaves the host's generator alone.
%!test
%! s = [5 0 1 4 2 0 3];
%! clear drawweighted
%! a = winscore.sample (s, 5);
%! b = winscore.sample (s', 20, "Replace", true);
%! clear drawweighted
%! assert (a, drawweighted (s, 5, 0)');
%! assert (b, drawweighted (s, 20, 1)');
%! assert (! any (ismember (a, [2 6])));
%! state = rand ("state");
%! winscore.sample (s, 3);
%! assert (rand ("state"), state);
%! assert (size (winscore.sample (s, 0)), [0 1]);
%! assert (size (winscore.sample ([], 0)), [0 1]);

%!error id=winscore:sample:badScore winscore.sample ([1 -1 2], 1)
%!error id=winscore:sample:badScore winscore.sample ([1 Inf 2], 1)
%!error <2 draws without replacement, but only 1 scores are positive> winscore.sample ([0 3 0], 2)
%!error id=winscore:sample:noPositive winscore.sample ([0 0], 1, "Replace", true)
%!error id=winscore:sample:badValue winscore.sample ([1 2], 1, "Replace", "yes")

## gridPeaks is the zero-bordered integral images, gridsweep and peakpick,
## with the accepted maxima best first.
%!test
%! rand ("state", 9);
%! for n = [1 2 5 12]
%!   A = rand (n) - 0.6; B = 1 + rand (n);
%!   for sizes = [1 1 3; 2 1 3; 2 3 5; 1 2 1]'
%!     TA = zeros (n + 1); TA(2:end, 2:end) = cumsum (cumsum (A, 1), 2);
%!     TB = zeros (n + 1); TB(2:end, 2:end) = cumsum (cumsum (B, 1), 2);
%!     S = gridsweep (zeros (64), n, sizes(1), sizes(2), 0, TA, TB);
%!     [x0, y0, x1, y1, s] = peakpick (S, n, n, sizes(3));
%!     found = find (s > 0);
%!     [~, order] = sort (s(found), "descend");
%!     found = found(order);
%!     [boxes, scores] = winscore.gridPeaks (A, B, "MinWidth", sizes(1), "MinHeight", sizes(2), ...
%!                                           "Neighbourhood", sizes(3));
%!     col = @(v) reshape (v(found), [], 1);     # 0 x 1 when none is found
%!     assert (samebits (scores, col (s)));
%!     assert (boxes, [col(x0), col(y0), col(x1), col(y1)]);
%!   end
%! end

## Cells to pixels: whole and fractional cell sizes, rows and columns apart.
%!test
%! A = -ones (8); A(2:3, 5:7) = 4;
%! [cells, s] = winscore.gridPeaks (A, ones (8));
%! assert (cells(1, :), [5 2 7 3]);
%! [pixels, t] = winscore.gridPeaks (A, ones (8), "CellSize", 10);
%! assert (pixels(1, :), [41 11 70 30]);
%! assert (t, s);
%! [pixels, t] = winscore.gridPeaks (A, ones (8), "CellSize", [240 / 8, 100 / 8]);
%! assert (pixels(1, :), [51 31 87 90]);
%! assert (winscore.gridPeaks (-ones (4), ones (4)), zeros (0, 4));

%!error id=winscore:gridPeaks:badMaps winscore.gridPeaks (ones (3), ones (4))
%!error id=winscore:gridPeaks:badMaps winscore.gridPeaks ([1 NaN; 1 1], ones (2))
%!error id=winscore:gridPeaks:badValue winscore.gridPeaks (ones (3), ones (3), "MinWidth", 0)
%!error id=winscore:gridPeaks:badValue winscore.gridPeaks (ones (3), ones (3), "Neighbourhood", 0.5)
%!error <take 8388608 bytes> winscore.gridPeaks (ones (32), ones (32), "MaxBytes", 1e6)

## draw: frames in ten distinct colours, the best on top, the image untouched
## elsewhere, grey and any class in, uint8 RGB out.
%!test
%! img = uint8 (100 * ones (40, 60));
%! out = winscore.draw (img, [5 5 20 20; 10 10 30 30]);
%! assert (class (out), "uint8");
%! assert (size (out), [40 60 3]);
%! assert (double (squeeze (out(5, 5, :)))', [255 255 255]);     # the best, white
%! assert (double (squeeze (out(30, 30, :)))', [255 0 255]);     # the second, magenta
%! assert (double (squeeze (out(10, 20, :)))', [255 255 255]);   # where they cross, the best
%! assert (double (squeeze (out(15, 15, :)))', [100 100 100]);   # inside, untouched
%! assert (out(:, 35:end, :), repmat (uint8 (100), [40 26 3]));
%! boxes = [(1:12)' * 4, ones(12, 1), (1:12)' * 4 + 1, 5 * ones(12, 1)];
%! out = winscore.draw (zeros (10, 60, 3), boxes, "Thickness", 1);
%! colours = unique (reshape (out(3, 4:4:40, :), 10, 3), "rows");
%! assert (rows (colours), 10);
%! assert (squeeze (out(3, 44, :)), squeeze (out(3, 4, :)));   # the eleventh repeats the first
%! assert (winscore.draw (true (4), zeros (0, 4)), repmat (uint8 (255), [4 4 3]));

## Scores become tags with digits; the legend lists the boxes.
%!test
%! img = zeros (50, 80);
%! plain = winscore.draw (img, [5 5 40 30]);
%! tagged = winscore.draw (img, [5 5 40 30], "Scores", 1.25);
%! changed = any (tagged != plain, 3);
%! [r, c] = find (changed);
%! assert (min (r) >= 5 && min (c) >= 5 && max (r) <= 11 && max (c) <= 5 + 4 * 4 + 1);
%! assert (nnz (changed) > 10);
%! assert (size (winscore.draw (img, [70 40 80 50], "Scores", -Inf)), [50 80 3]);
%! text = evalc ("winscore.draw (img, [5 5 40 30; 1 1 2 2], 'Scores', [1.25 0.5], 'Legend', true);");
%! assert (! isempty (strfind (text, "1 white")));
%! assert (! isempty (strfind (text, "2 magenta")));
%! assert (! isempty (strfind (text, "1.2500")));

%!error id=winscore:draw:boxOutside winscore.draw (ones (10), [1 1 11 5], "Clip", false)
%!error id=winscore:draw:scoreCount winscore.draw (ones (10), [1 1 5 5], "Scores", [1 2])

## Every function's help has an example that runs as written.
%!test
%! for name = {"propose", "quantise", "contrast", "select", "sample", "gridPeaks", "draw", "convertBoxes"}
%!   text = evalc (["help winscore." name{1}]);
%!   assert (! isempty (strfind (text, ["winscore." name{1} "("])), name{1});
%!   example = regexp (text, 'Example:\n(.*?)\n\s*\n', "tokens", "once");
%!   assert (! isempty (example), name{1});
%!   evalc (example{1});
%! end
%! assert (! isempty (strfind (evalc ("help Contents"), "winscore.propose")));
%! assert (contents_missing (), {});

## What users bring: counts, option spellings, wrongly scaled images, other
## box formats, sparse arrays, huge scores. Each ends in the function's own
## winscore: error or the right result.

%!function id = raised (code)
%!  ## The identifier CODE raises; its text must name the same function.
%!  id = "";
%!  try
%!    evalin ("caller", [code ";"]);
%!  catch err
%!    id = err.identifier;
%!    name = regexp (id, '^winscore:(\w+):', "tokens", "once");
%!    assert (! isempty (name), "%s raised %s", code, id);
%!    assert (strncmp (err.message, ["winscore." name{1} ": "], numel (name{1}) + 11)
%!            || strncmp (err.message, [name{1} ": "], numel (name{1}) + 2), err.message);
%!  end
%!endfunction

## Counts of inputs and outputs are each function's own errors.
%!test
%! img = rand (8, 8); b = [1 1 4 4];
%! calls = {
%!   "winscore.quantise (img, 8, 1)",                            "quantise:inputs"
%!   "[a, c] = winscore.quantise (img, 8)",                      "quantise:outputs"
%!   "winscore.propose ()",                                      "propose:inputs"
%!   "[a, c, d] = winscore.propose (img)",                       "propose:outputs"
%!   "[a, c, d] = winscore.contrast (ones (8), b)",              "contrast:outputs"
%!   "[a, c] = winscore.sample ([1 2], 1)",                      "sample:outputs"
%!   "[a, c, d] = winscore.gridPeaks (ones (2), ones (2))",      "gridPeaks:outputs"
%!   "[a, c] = winscore.draw (img, b)",                          "draw:outputs"
%!   "winscore.convertBoxes (b, 'xywh', 'corners', 1)",          "convertBoxes:inputs"
%!   "[a, c] = winscore.convertBoxes (b, 'xywh', 'corners')",    "convertBoxes:outputs"
%! };
%! for k = 1:rows (calls)
%!   assert (raised (calls{k, 1}), ["winscore:" calls{k, 2}], calls{k, 1});
%! end

## Options: any case, a unique beginning, later pairs override, sparse
## values arrive full; the faults are named.
%!test
%! img = rand (30, 40, 3); q = winscore.quantise (img, 8); b = [2 2 20 20; 5 5 30 25];
%! same = {
%!   'winscore.propose (img, "Candidates", 300, "Keep", 3)', 'winscore.propose (img, "cand", 300, "KEEP", 1, "keep", sparse (3))'
%!   'winscore.contrast (q, b, "Surround", 80)',             'winscore.contrast (q, b, "sur", 80)'
%!   'winscore.gridPeaks (rand (5) - 0.5, ones (5), "MinWidth", 2)', 'winscore.gridPeaks (rand (5) - 0.5, ones (5), "minw", 2)'
%!   'winscore.draw (img, b, "Thickness", 1)',               'winscore.draw (img, b, "THICK", sparse (1))'
%! };
%! for k = 1:rows (same)
%!   rand ("state", 1); a = eval (same{k, 1});
%!   rand ("state", 1); assert (eval (same{k, 2}), a);
%! end
%! faults = {
%!   'winscore.propose (img, "Max", 1)',          "propose:ambiguousOption"
%!   'winscore.propose (img, "Maximum", 1)',      "propose:unknownOption"
%!   'winscore.propose (img, 5, 1)',              "propose:optionName"
%!   'winscore.propose (img, "Keep")',            "propose:options"
%!   'winscore.propose (img, "Keep", "all")',     "propose:badValue"
%!   'winscore.contrast (q, b, "Bins", [8 8])',   "contrast:badValue"
%!   'winscore.sample ([1 2], 1, "R", 2)',        "sample:badValue"
%! };
%! for k = 1:rows (faults)
%!   assert (raised (faults{k, 1}), ["winscore:" faults{k, 2}], faults{k, 1});
%! end

## Images on the wrong scale are refused or flagged; NaN pixels count as 0;
## an image of one colour gives no windows.
%!test
%! refused = {"winscore.propose (255 * rand (20))", "winscore.quantise (single (rand (5) - 1), 8)", ...
%!            "winscore.draw (65535 * rand (5), [1 1 2 2])", "winscore.quantise ([0 Inf], 2)"};
%! for k = 1:numel (refused)
%!   assert (strcmp (raised (refused{k})(end-9:end), "imageRange"), refused{k});
%! end
%! assert (winscore.quantise ([1.04 -0.04 NaN 0.6], 2), [2 1 1 2]);   # within 0.05: clipped
%! warning ("error", "winscore:quantise:smallRange", "local");
%! flagged = {uint16(4095 * rand(20)), "winscore:quantise:smallRange"   # 12-bit data
%!            uint8(rand(20) > 0.5),    "winscore:quantise:smallRange"   # a 0/1 mask
%!            uint8(255 * rand(20)), ""; rand(20) > 0.5, ""; uint8(7 * ones(20)), ""};
%! for k = 1:rows (flagged)
%!   assert (raised ("winscore.quantise (flagged{k, 1}, 8)"), flagged{k, 2});
%! end
%! img = rand (40, 50, 3);
%! dark = img; dark(10:20, 10:30, :) = 0;
%! holed = img; holed(10:20, 10:30, 2) = NaN;
%! dark(10:20, 10:30, [1 3]) = img(10:20, 10:30, [1 3]);
%! assert (winscore.propose (holed, "Candidates", 300), winscore.propose (dark, "Candidates", 300));
%! for flat = {zeros(20, 30), NaN(20, 30, 3), uint8(9 * ones(20, 30))}
%!   warning ("off", "winscore:propose:flatImage", "local");
%!   [boxes, scores] = winscore.propose (flat{1}, "Candidates", 100);
%!   assert ({size(boxes), size(scores)}, {[0 4], [0 1]});
%!   warning ("error", "winscore:propose:flatImage", "local");
%!   assert (raised ("winscore.propose (flat{1}, 'Candidates', 100)"), "winscore:propose:flatImage");
%! end

## Box formats: every conversion is exact on whole numbers and undoes its
## reverse; a list that fails as corners is told which format it looks like.
%!test
%! rand ("state", 5);
%! corners = floor (1 + 50 * rand (40, 2)); corners = [corners, corners + floor(30 * rand(40, 2))];
%! formats = {"corners", "xywh", "opencv", "xyxy0"};
%! for from = formats
%!   b = winscore.convertBoxes (corners, "corners", from{1});
%!   for to = formats
%!     assert (winscore.convertBoxes (winscore.convertBoxes (b, from{1}, to{1}), to{1}, "CORN"), corners);
%!   end
%! end
%! assert (winscore.convertBoxes ([10 20 30 40; 1 1 1 1], "xywh", "corners"), [10 20 39 59; 1 1 1 1]);
%! assert (winscore.convertBoxes ([9 19 30 40], "opencv", "xyxy0"), [9 19 39 59]);
%! assert (winscore.convertBoxes (zeros (0, 4), "xywh", "opencv"), zeros (0, 4));
%! hints = {[30 40 10 10],          "'xywh'"      # widths below the corners
%!          [0 5 10 10; 30 40 8 8], "'opencv'"    # and 0-based
%!          [0 0 10 10],            "'xyxy0'"     # a 0, in order
%!          [1 1 200 10],           ""};          # outside, no better fit
%! for k = 1:rows (hints)
%!   try
%!     winscore.contrast (ones (50, 60), hints{k, 1});
%!   catch err
%!   end
%!   assert (isempty (strfind (err.message, "convertBoxes")), isempty (hints{k, 2}), err.message);
%!   assert (isempty (hints{k, 2}) || ! isempty (strfind (err.message, hints{k, 2})), err.message);
%! end
%! assert (raised ("winscore.contrast (ones (9), [1 1 2 2; 3 3 4 4; 1 1 5 5]')"), ...
%!         "winscore:contrast:boxesTransposed");
%! assert (raised ("winscore.convertBoxes ([1 1 2 2], 'xy', 'corners')"), "winscore:convertBoxes:badValue");
%! assert (raised ("winscore.draw (ones (9), [1 1 NaN 2])"), "winscore:draw:boxNotFinite");

## Sparse arrays are taken as their full selves everywhere; huge scores are
## drawn in proportion.
%!test
%! q = random_bins (20, 30, 6, 3); b = random_boxes (20, 30, 30, 4);
%! assert (winscore.contrast (sparse (q), sparse (b), "Surround", sparse (60)), ...
%!         winscore.contrast (q, b, "Surround", 60));
%! clear drawweighted; a = winscore.sample (sparse ([0 2 1 5]), 2);
%! clear drawweighted; assert (a, winscore.sample ([0 2 1 5], 2));
%! assert (winscore.draw (sparse (eye (5)), [1 1 3 3]), winscore.draw (eye (5), [1 1 3 3]));
%! assert (sort (winscore.sample (1e308 * ones (1, 10), 10)), (1:10)');
%! many = winscore.sample ([1e308 1e308], 400, "Replace", true);
%! assert (abs (mean (many == 1) - 0.5) < 0.15);

## draw: frames and tags scale with the image, an outline keeps a frame
## visible on its own colour, boxes are clipped or refused, fractional
## corners round.
%!test
%! white = ones (600, 1200);
%! out = winscore.draw (white, [100 100 800 500]);
%! row = double (squeeze (out(300, 90:120, 1)))';
%! assert (find (row == 0)', [10 15]);   # thickness round(1200/300) = 4, outline 1 on each side
%! out = winscore.draw (zeros (20, 30), [-5 3 10 40; 40 1 50 5]);
%! assert (squeeze (out(3, 1, :))', uint8 ([255 255 255]));  # clipped to the border
%! assert (squeeze (out(20, 5, :))', uint8 ([255 255 255]));
%! assert (! any (any (out(:, 15:end, 1))));                 # the box outside: nothing
%! assert (winscore.draw (zeros (20, 30), [2.4 2.6 9.5 10.2]), winscore.draw (zeros (20, 30), [2 3 10 10]));
%! small = winscore.draw (zeros (40, 60), [5 5 40 30], "Scores", 1.5);
%! large = winscore.draw (zeros (800, 1200), [5 5 400 300], "Scores", 1.5);
%! tagRows = @(o) find (any (o(:, 5:8, 2) > 0 & o(:, 5:8, 1) == 255 & o(:, 5:8, 3) == 255, 2));
%! assert (numel (tagRows (large)) >= 2 * numel (tagRows (small)));

## The build script's arguments follow the same rules (checked before any
## compiling starts).
%!test
%! root = fileparts (fileparts (fileparts (which ("run_tests"))));
%! addpath (root, "-end");
%! unwind_protect
%!   assert (raised ("winscore_build ('-')"), "winscore:winscore_build:badApi");
%!   assert (raised ("winscore_build ('out', '-R1999')"), "winscore:winscore_build:badApi");
%! unwind_protect_cleanup
%!   rmpath (root);
%! end_unwind_protect

## One home for every text: the README's list of the API's errors is the
## message table row for row; every fault raised in the code is in it, in
## lowerCamel, under the name of the function the user called.
%!test
%! root = fileparts (fileparts (fileparts (which ("run_tests"))));
%! text = strrep (fileread (fullfile (root, "README.md")), "\r", "");
%! section = regexp (text, '### Errors of the toolbox API\n(.*?)\n## ', "tokens", "once"){1};
%! listed = regexp (section, '\n\| `(\w+)` \| `([^\n]*)` \|', "tokens");
%! listed = vertcat (listed{:});
%! table = winscore.internal.message ();
%! assert (listed(:, 1), fieldnames (table));
%! assert (listed(:, 2), struct2cell (table));
%! assert (all (cellfun (@isempty, regexp (fieldnames (table), '^[a-z][A-Za-z0-9]*$', "once")) == 0));
%! files = [glob(fullfile (root, "+winscore", "*.m")); glob(fullfile (root, "+winscore", "+internal", "*.m"));
%!          {fullfile(root, "demo", "winscore_demo.m"); fullfile(root, "winscore_build.m")}];
%! pending = {"winscore_build.m"};   # the build's own faults are not the API's
%! for k = 1:numel (files)
%!   [~, name] = fileparts (files{k});
%!   code = fileread (files{k});
%!   calls = regexp (code, 'winscore\.internal\.(?:fail|warn) \(([^,]+), ''(\w+)''', "tokens");
%!   for c = calls
%!     assert (isfield (table, c{1}{2}), "%s: no row for %s", name, c{1}{2});
%!     assert (any (strcmp (c{1}{1}, {["'" name "'"], "caller"})), "%s raises as %s", name, c{1}{1});
%!   end
%!   if (! any (strcmp ([name ".m"], pending)) && ! strcmp (name, "message"))
%!     assert (isempty (regexp (code, 'error \(''winscore:', "once")), "%s: a text outside the table", name);
%!   end
%! end

## The README's toolbox-API examples run as written.
%!test
%! root = fileparts (fileparts (fileparts (which ("run_tests"))));
%! text = strrep (fileread (fullfile (root, "README.md")), "\r", "");
%! for heading = {"### With the toolbox API", "### Errors of the toolbox API"}
%!   section = regexp (text, [heading{1} '\n(.*?)\n##'], "tokens", "once"){1};
%!   blocks = regexp (section, '((?:\n    [^\n]*)+)', "tokens");
%!   code = regexprep (strjoin (cellfun (@(b) b{1}, blocks, "UniformOutput", false), ""), '\n    ', "\n");
%!   code = regexprep (code, '\naddpath[^\n]*', "");     # the path is set already
%!   here = pwd ();
%!   cd (tempdir ());
%!   unwind_protect
%!     evalc (code);
%!   unwind_protect_cleanup
%!     cd (here);
%!   end_unwind_protect
%! end

## Bad input anywhere, in any position or option, ends in the called
## function's own winscore: error or in a result; never in a host error.
%!test
%! warning ("off", "all", "local");
%! calls = {
%!   "quantise",     {rand(6, 7, 3), 8},                       {}
%!   "propose",      {rand(6, 7, 3), "Candidates", 20},        {"Bins", "Candidates", "Surround", "Draws", "Keep", "Seed", "MaxSide", "MaxBytes", "WindowSize"}
%!   "contrast",     {2 * ones(6, 7), [1 1 3 3]},              {"Bins", "Surround", "MaxBytes"}
%!   "sample",       {[1 2 3], 2},                             {"Replace"}
%!   "gridPeaks",    {rand(3) - 0.5, ones(3)},                 {"MinWidth", "MinHeight", "Neighbourhood", "CellSize", "MaxBytes"}
%!   "draw",         {rand(6, 7), [1 1 3 3]},                  {"Scores", "Legend", "Thickness", "Clip"}
%!   "convertBoxes", {[1 1 3 3], "xywh", "corners"},           {}
%! };
%! bad = {{}, {1}, struct(), 1i, NaN, Inf, -1, [], zeros(0, 4), sparse([1 2]), int8(-5), ...
%!        ones(2, 2, 2), "abc", 1e300, true, [1 2; 3 4]};
%! for c = 1:rows (calls)
%!   fn = str2func (["winscore." calls{c, 1}]);
%!   base = calls{c, 2};
%!   variants = {};
%!   for a = 1:numel (base)
%!     for b = 1:numel (bad)
%!       args = base; args{a} = bad{b}; variants{end+1} = args;
%!     end
%!   end
%!   for o = 1:numel (calls{c, 3})
%!     for b = 1:numel (bad)
%!       variants{end+1} = [base, calls{c, 3}(o), bad(b)];
%!     end
%!   end
%!   for v = 1:numel (variants)
%!     try
%!       evalc ("fn (variants{v}{:});");
%!     catch err
%!       assert (strncmp (err.identifier, ["winscore:" calls{c, 1} ":"], 10 + numel (calls{c, 1})), ...
%!               "%s, variant %d: %s (%s)", calls{c, 1}, v, err.message, err.identifier);
%!     end
%!   end
%! end
