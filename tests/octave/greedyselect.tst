## winscore.select and winscore.overlap, and the kernel under select,
## winscore.internal.greedyselect.

%!function idx = select_by_greedypick (boxes, scores, k)
%!  ## select as it was: sorted by score, padded to greedypick's 100000 with
%!  ## one-pixel windows far outside, positions back to rows.
%!  N = rows (boxes);
%!  [~, order] = sort (-scores(:));
%!  list = [boxes(order, :); -10 * ones(100000 - N, 4)];
%!  areas = (list(:, 3) - list(:, 1) + 1) .* (list(:, 4) - list(:, 2) + 1);
%!  p = greedypick (areas, 0, list(:, 1), list(:, 2), list(:, 3), list(:, 4), min (k, N));
%!  idx = order(p(p >= 0 & p < N) + 1);
%!  idx = idx(:);
%!endfunction

%!function [boxes, scores] = clustered (n, seed)
%!  rand ("seed", seed);
%!  centres = floor (1 + 200 * rand (40, 2));
%!  c = centres(floor (1 + 40 * rand (n, 1)), :);
%!  xy = c + floor (8 * rand (n, 2));
%!  wh = floor (5 + 30 * rand (n, 2));
%!  boxes = [xy, xy + wh];
%!  scores = round (10 * rand (n, 1));   # ties keep their list order
%!endfunction

## At one half, exactly what sort + pad + greedypick gives; the old positional
## count too.
%!test
%! for n = [1 7 300 4000]
%!   [b, s] = clustered (n, n);
%!   for k = [1 5 n]
%!     assert (winscore.select (b, s, k), select_by_greedypick (b, s, k));
%!     assert (winscore.select (b, s, 'Keep', k), select_by_greedypick (b, s, k));
%!   end
%!   assert (winscore.select (b, s), select_by_greedypick (b, s, n));
%! end

## Every kept window overlaps every earlier kept one by at most the
## threshold, and every dropped window overlaps some earlier kept one by more.
%!test
%! [b, s] = clustered (600, 3);
%! b(1:7:end, :) += 0.5;                  # fractional corners
%! for t = [0 0.2 0.5 0.8 1]
%!   [idx, kb, ks] = winscore.select (b, s, 'OverlapThreshold', t);
%!   assert (kb, b(idx, :));
%!   assert (ks, s(idx));
%!   R = winscore.overlap (kb, kb);
%!   assert (all (R(triu (true (numel (idx)), 1)) <= t));
%!   [~, order] = sort (-s);
%!   dropped = setdiff (order, idx, "stable");
%!   for d = dropped(:)'
%!     earlier = idx(ismember (idx, order(1:find (order == d) - 1)));
%!     assert (any (winscore.overlap (b(d, :), b(earlier, :)) > t));
%!   end
%! end

## Options: a score floor, the count, no boxes, too many outputs.
%!test
%! b = [1 1 10 10; 4 1 13 10; 6 1 15 10; 30 30 40 40];
%! s = [0.9 0.8 0.7 0.5];
%! assert (winscore.select (b, s), [1; 3; 4]);
%! assert (winscore.select (b, s, 'OverlapThreshold', 0.3), [1; 4]);
%! assert (winscore.select (b, s, 'ScoreThreshold', 0.6), [1; 3]);
%! assert (winscore.select (b, s, 'Keep', 2, 'OverlapThreshold', 0.6), [1; 2]);
%! assert (size (winscore.select (zeros (0, 4), [])), [0 1]);
%! [i, bb, ss] = winscore.select (zeros (0, 4), []);
%! assert (size (bb), [0 4]);
%! assert (size (ss), [0 1]);
%!error <select> [a, b, c, d] = winscore.select ([1 1 2 2], 1)
%!error <Keep> winscore.select ([1 1 2 2], 1, -1)
%!error <OverlapThreshold> winscore.select ([1 1 2 2], 1, 'OverlapThreshold', 1.5)
%!error id=winscore:select:scores winscore.select ([1 1 2 2; 3 3 4 4], 1)
%!error id=winscore:select:scores winscore.select ([1 1 2 2], NaN)

## overlap: the worked pairs, shared and touching columns, 'min'.
%!test
%! assert (winscore.overlap ([1 1 10 10], [4 1 13 10; 6 1 15 10; 11 1 20 10; 10 1 19 10]), ...
%!         [70/130, 50/150, 0, 10/190]);
%! assert (winscore.overlap ([1 1 10 10], [1 1 10 5]), 0.5);
%! assert (winscore.overlap ([1 1 10 10; 3 3 6 6], [3 3 6 6], 'Ratio', 'min'), [1; 1]);
%! assert (winscore.overlap ([1 1 1.5 1.5], [1.25 1 2 1.5]), 1.875 / 3);   # areas 2.25, 2.625
%! assert (size (winscore.overlap (zeros (0, 4), [1 1 2 2])), [0 1]);
%!error <Ratio> winscore.overlap ([1 1 2 2], [1 1 2 2], 'Ratio', 'iou')

## The kernel refuses what select never passes.
%!error <greedyselect> winscore.internal.greedyselect ([1 2 3], 0.5, 1)
%!error <greedyselect> winscore.internal.greedyselect ([1 1 2 2], 0.5, -1)

## overlap's help has an example that runs as written.
%!test
%! text = evalc ("help winscore.overlap");
%! example = regexp (text, 'Example:\n(.*?)\n\s*\n', "tokens", "once");
%! assert (! isempty (example));
%! evalc (example{1});
