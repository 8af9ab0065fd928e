## winscore.propose: the plug-in pipeline in one call, repeatable, in the
## image's own pixels, and the same in parallel workers.

%!function img = scene (R, C, seed)
%!  ## Shaded noise with two blocks of colour; integer-valued, so every class
%!  ## holds it exactly.
%!  rand ("state", seed);
%!  img = round (100 + 40 * rand (R, C, 3));
%!  img(round (R / 5):round (R / 2), round (C / 4):round (C / 2), 1) = 250;
%!  img(round (R / 2):round (0.9 * R), round (0.6 * C):round (0.8 * C), 2:3) = 10;
%!  img = img / 255;
%!endfunction

%!function [boxes, scores] = by_plugins (img, B, N, p, draws, keep, seed)
%!  ## The pipeline as its help describes it, spelled out with the plug-ins.
%!  q = winscore.quantise (img, B);
%!  [R, C] = size (q);
%!  u = reshape (winscore.internal.uniform (seed, 4 * N), N, 4);
%!  w = max (round (C * (0.06 + 0.54 * u(:, 1))), 1);
%!  h = max (round (R * (0.06 + 0.54 * u(:, 2))), 1);
%!  x0 = 1 + floor ((C - w + 1) .* u(:, 3));
%!  y0 = 1 + floor ((R - h + 1) .* u(:, 4));
%!  x1 = x0 + w - 1; y1 = y0 + h - 1;
%!  s = ringdiff (tallyplane (q, R, C, B), R, C, x0, y0, x1, y1, p, B, N);
%!  clear drawweighted
%!  d = drawweighted (s, min (draws, N), 0);
%!  [~, order] = sort (s(d), "descend");
%!  list = d(order)';
%!  pad = -10 * ones (100000 - numel (list), 1);
%!  lx0 = [x0(list); pad]; ly0 = [y0(list); pad]; lx1 = [x1(list); pad]; ly1 = [y1(list); pad];
%!  kept = greedypick ((lx1 - lx0 + 1) .* (ly1 - ly0 + 1), 0, lx0, ly0, lx1, ly1, keep);
%!  kept = list(kept(kept >= 0 & kept < numel (list)) + 1);
%!  boxes = [x0(kept), y0(kept), x1(kept), y1(kept)];
%!  scores = s(kept);
%!endfunction

## The same windows and scores as the plug-ins, to the bit.
%!test
%! img = scene (90, 130, 1);
%! [boxes, scores] = winscore.propose (img);
%! [wantBoxes, wantScores] = by_plugins (img, 64, 3000, 50, 1500, 10, 1);
%! assert (boxes, wantBoxes);
%! assert (isequal (typecast (scores, "uint64"), typecast (wantScores, "uint64")));
%! assert (rows (boxes) >= 2);
%! [boxes, scores] = winscore.propose (img(:, :, 2), "Bins", 9, "Candidates", 700, ...
%!   "Surround", 80, "Draws", 900, "Keep", 4, "Seed", 2^32 - 1);
%! [wantBoxes, wantScores] = by_plugins (img(:, :, 2), 9, 700, 80, 900, 4, 2^32 - 1);
%! assert (boxes, wantBoxes);
%! assert (scores, wantScores);

## Still the plug-ins' pipeline on larger pictures of other classes, at
## surrounds that shrink the box or clip it on every side.
%!test
%! img = uint8 (255 * scene (240, 320, 7));
%! for p = [-150 200]
%!   [boxes, scores] = winscore.propose (img, "Bins", 27, "Surround", p, "Candidates", 2000);
%!   [wantBoxes, wantScores] = by_plugins (img, 27, 2000, p, 1500, 10, 1);
%!   assert (boxes, wantBoxes);
%!   assert (isequal (typecast (scores, "uint64"), typecast (wantScores, "uint64")));
%! end
%! grey = int16 (double (img(:, :, 1)) * 257 - 32768);
%! [boxes, scores] = winscore.propose (grey, "Bins", 100);
%! [wantBoxes, wantScores] = by_plugins (grey, 100, 3000, 50, 1500, 10, 1);
%! assert (boxes, wantBoxes);
%! assert (isequal (typecast (scores, "uint64"), typecast (wantScores, "uint64")));

## Repeatable whatever ran before: drawweighted's carried sequence and the
## host's generators neither change the result nor are used.
%!test
%! img = scene (60, 80, 2);
%! [a, s] = winscore.propose (img, "Candidates", 400, "Draws", 200);
%! drawweighted (ones (1, 10), 7, 1);
%! rand ("state", 3); randn ("state", 4);
%! r = rand ("state"); n = randn ("state");
%! [b, t] = winscore.propose (img, "Candidates", 400, "Draws", 200);
%! assert (b, a);
%! assert (t, s);
%! assert (rand ("state"), r);
%! assert (randn ("state"), n);
%! c = winscore.propose (img, "Candidates", 400, "Draws", 200, "Seed", 2);
%! assert (! isequal (c, a));

## Any class: uint8, uint16, int16, single and double of the same picture
## give the same windows; grey and logical images work.
%!test
%! img = scene (50, 70, 3);
%! [want, s] = winscore.propose (img, "Candidates", 500);
%! for cls = {"uint8", "uint16", "single"}
%!   scaled = cast (img * double (intmax ("uint8")), "uint8");
%!   if (strcmp (cls{1}, "uint16"))
%!     scaled = uint16 (scaled) * 257;
%!   elseif (strcmp (cls{1}, "single"))
%!     scaled = single (img);
%!   end
%!   [got, t] = winscore.propose (scaled, "Candidates", 500);
%!   assert (got, want);
%!   assert (t, s);
%! end
%! mask = false (40, 60); mask(5:20, 10:30) = true;
%! [boxes, scores] = winscore.propose (mask, "Bins", 2, "Candidates", 300);
%! assert (all (boxes(:, 1) >= 1 & boxes(:, 3) <= 60 & boxes(:, 2) >= 1 & boxes(:, 4) <= 40));
%! assert (scores(1) > 1);

## 'MaxSide': the work on a shrunken copy, the boxes in the full image's
## pixels. An image made by doubling every pixel shrinks back to the
## original exactly, so its boxes are the original's, doubled.
%!test
%! small = scene (40, 64, 4);
%! big = small(ceil ((1:80) / 2), ceil ((1:128) / 2), :);
%! [b, s] = winscore.propose (small, "Candidates", 600, "Keep", 5);
%! [B, S] = winscore.propose (big, "Candidates", 600, "Keep", 5, "MaxSide", 64);
%! assert (B, [2 * b(:, 1:2) - 1, 2 * b(:, 3:4)]);
%! assert (S, s);
%! ## Odd sizes: each box covers the spans of its working pixels.
%! img = scene (101, 67, 5);
%! [B, S] = winscore.propose (img, "Candidates", 600, "MaxSide", 30);
%! Rw = floor (101 * 30 / 101); Cw = floor (67 * 30 / 101);
%! work = img(floor ((2 * (1:Rw) - 1) * 101 / (2 * Rw)) + 1, floor ((2 * (1:Cw) - 1) * 67 / (2 * Cw)) + 1, :);
%! [b, s] = winscore.propose (work, "Candidates", 600);
%! assert (S, s);
%! assert (B, [floor((b(:, 1) - 1) * 67 / Cw) + 1, floor((b(:, 2) - 1) * 101 / Rw) + 1, ...
%!             floor(b(:, 3) * 67 / Cw), floor(b(:, 4) * 101 / Rw)]);
%! assert (all (B(:, 3) <= 67 & B(:, 4) <= 101 & B(:, 1) >= 1 & B(:, 2) >= 1));
%! assert (winscore.propose (img, "Candidates", 600, "MaxSide", 101), winscore.propose (img, "Candidates", 600));

## 'WindowSize': the default is today's range exactly; a fixed fraction
## gives every window that side; large objects become reachable.
%!test
%! img = scene (60, 90, 12);
%! [b, s] = winscore.propose (img, "Candidates", 500);
%! [c, t] = winscore.propose (img, "Candidates", 500, "WindowSize", [0.06 0.6]);
%! assert ({c, t}, {b, s});
%! b = winscore.propose (img, "Candidates", 200, "Keep", 50, "WindowSize", [0.5 0.5]);
%! assert (unique ([b(:, 3) - b(:, 1) + 1, b(:, 4) - b(:, 2) + 1], "rows"), [45 30]);
%! b = winscore.propose (img, "Candidates", 200, "Keep", 50, "WindowSize", [0.7 1]);
%! assert (all (b(:, 3) - b(:, 1) + 1 >= 63 & b(:, 4) - b(:, 2) + 1 >= 42));
%! for bad = {0, [0 0.5], [0.6 0.5], [0.5 1.1], "big"}
%!   try
%!     winscore.propose (img, "WindowSize", bad{1});
%!     error ("no error");
%!   catch err
%!     assert (err.identifier, "winscore:propose:badValue");
%!   end
%! end

## Counts at their edges.
%!test
%! img = scene (30, 40, 6);
%! assert (size (winscore.propose (img, "Keep", 0)), [0 4]);
%! [b, s] = winscore.propose (img, "Candidates", 5, "Draws", 1e6, "Keep", 100);
%! assert (rows (b) >= 1 && rows (b) <= 5);
%! warning ("off", "winscore:propose:flatImage", "local");
%! assert (size (winscore.propose (0.5 * ones (1, 1, 3), "Candidates", 3)), [0 4]);   # flat: none

## Memory: refused above 'MaxBytes', naming the option that asks for it,
## never left to grow until the system ends the process.
%!error <lower 'Candidates', or raise 'MaxBytes'> winscore.propose (zeros (30, 40), "Candidates", 1e9)
%!error <use fewer 'Bins' or set 'MaxSide'> winscore.propose (rand (3000, 40), "Bins", 2^20, "Candidates", 10)
%!error id=winscore:propose:tooMuchMemory winscore.propose (zeros (300, 400), "MaxBytes", 1e6)
%!error id=winscore:propose:badValue winscore.propose (zeros (10), "Seed", 2^32)
%!error id=winscore:propose:badValue winscore.propose (zeros (10), "Keep", 1.5)
%!error id=winscore:propose:unknownOption winscore.propose (zeros (10), "Seeds", 1)
%!error id=winscore:propose:binsNotCube winscore.propose (zeros (10, 10, 3), "Bins", 10)

## Parallel workers give the serial results: each call restarts the draws.
%!test
%! try
%!   pkg load parallel
%! catch
%!   fprintf ("skipped: the parallel package does not load (%s)\n", lasterr ());
%!   return;
%! end
%! images = {scene(50, 70, 7), scene(64, 48, 8), scene(40, 90, 9), scene(55, 55, 10), scene(70, 60, 11)};
%! run = @(img) winscore.propose (img, "Candidates", 800, "Draws", 400, "Keep", 5);
%! drawweighted (ones (1, 5), 3, 1);          # workers inherit a used sequence
%! [serialBoxes, serialScores] = cellfun (run, images, "UniformOutput", false);
%! [boxes, scores] = parcellfun (2, run, images, "UniformOutput", false, "VerboseLevel", 0);
%! pkg unload parallel
%! assert (boxes, serialBoxes);
%! assert (scores, serialScores);
