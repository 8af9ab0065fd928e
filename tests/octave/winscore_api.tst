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
%! assert (winscore.quantise ([0 0.49 0.5 1 NaN -2 7], 2), [1 1 2 2 1 1 2]);
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

%!error <bins must be a whole cube> winscore.quantise (zeros (3, 3, 3), 16)
%!error id=winscore:quantise:image winscore.quantise (zeros (3, 3, 2), 8)
%!error id=winscore:quantise:bins winscore.quantise (ones (2), 2.5)

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
%!     assert (bytes, 8 * 16 * (R + 1) * (C + 1));
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
%!   winscore.contrast (q, [1 1 30 20; 2 2 5 5; 1 1 31 20; 0 1 5 5]);
%!   error ("no error");
%! catch err
%!   assert (err.identifier, "winscore:contrast:boxOutside");
%!   assert (err.message, "winscore.contrast: box 3, [1 1 31 20], does not lie in the 20 x 30 image");
%! end

## The integral histogram's size is given and refused above 'MaxBytes'.
%!test
%! q = ones (100, 200);
%! try
%!   winscore.contrast (q, [1 1 5 5], "Bins", 64, "MaxBytes", 1e6);
%!   error ("no error");
%! catch err
%!   assert (err.identifier, "winscore:contrast:tooLarge");
%!   assert (! isempty (strfind (err.message, "takes 10394112 bytes")));
%! end
%! [~, bytes] = winscore.contrast (q, [1 1 5 5], "Bins", 64, "MaxBytes", 10394112);
%! assert (bytes, 10394112);

%!error id=winscore:contrast:boxes winscore.contrast (ones (5), [1 1 2.5 3])
%!error id=winscore:contrast:boxes winscore.contrast (ones (5), [3 1 2 3])
%!error id=winscore:contrast:bins winscore.contrast ([1 2; 0 1], [1 1 2 2])
%!error id=winscore:contrast:bins winscore.contrast ([1 2; 3 1.5], [1 1 2 2])
%!error id=winscore:contrast:bins winscore.contrast ([1 2; 3 4], [1 1 2 2], "Bins", 3)
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
%!error <Keep> winscore.select ([1 1 2 2], 1, 1.5)

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

%!error id=winscore:sample:scores winscore.sample ([1 -1 2], 1)
%!error id=winscore:sample:scores winscore.sample ([1 Inf 2], 1)
%!error <2 draws without replacement, but only 1 scores are positive> winscore.sample ([0 3 0], 2)
%!error id=winscore:sample:noPositive winscore.sample ([0 0], 1, "Replace", true)
%!error id=winscore:sample:Replace winscore.sample ([1 2], 1, "Replace", "yes")

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
%!     assert (samebits (scores, s(found)'));
%!     assert (boxes, [x0(found)', y0(found)', x1(found)', y1(found)']);
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

%!error id=winscore:gridPeaks:maps winscore.gridPeaks (ones (3), ones (4))
%!error id=winscore:gridPeaks:maps winscore.gridPeaks ([1 NaN; 1 1], ones (2))
%!error id=winscore:gridPeaks:MinWidth winscore.gridPeaks (ones (3), ones (3), "MinWidth", 0)
%!error id=winscore:gridPeaks:Neighbourhood winscore.gridPeaks (ones (3), ones (3), "Neighbourhood", 0.5)
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

%!error id=winscore:draw:boxOutside winscore.draw (ones (10), [1 1 11 5])
%!error id=winscore:draw:Scores winscore.draw (ones (10), [1 1 5 5], "Scores", [1 2])

## Every function's help has an example that runs as written.
%!test
%! for name = {"propose", "quantise", "contrast", "select", "sample", "gridPeaks", "draw"}
%!   text = evalc (["help winscore." name{1}]);
%!   assert (! isempty (strfind (text, ["winscore." name{1} "("])), name{1});
%!   example = regexp (text, 'Example:\n(.*?)\n\s*\n', "tokens", "once");
%!   assert (! isempty (example), name{1});
%!   evalc (example{1});
%! end
%! assert (! isempty (strfind (evalc ("help Contents"), "winscore.propose")));
