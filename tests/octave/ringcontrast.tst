## winscore.internal.ringcontrast, the toolbox API's contrast kernel: the bins
## of winscore.quantise's arithmetic and the scores of tallyplane + ringdiff,
## bit for bit.

%!function q = by_definition (img, bins)
%!  ## winscore.quantise as it was written in Octave before it called the kernel.
%!  img = winscore.internal.unitImage (img);
%!  if (size (img, 3) == 1)
%!    q = 1 + min (floor (img * bins), bins - 1);
%!    return;
%!  end
%!  levels = round (bins ^ (1 / 3));
%!  lv = min (floor (img * levels), levels - 1);
%!  q = 1 + lv(:, :, 1) + levels * lv(:, :, 2) + levels ^ 2 * lv(:, :, 3);
%!endfunction

%!shared images, boxes
%! rand ("seed", 4);
%! R = 23;  C = 31;
%! u = rand (R, C, 3);
%! u(1, 1, :) = 0;  u(2, 1, :) = 1;  u(3, 1, 1) = NaN;  u(4, 1, 2) = -0;
%! images = {u, single(u), uint8(255 * u), uint16(65535 * u), ...
%!           int16(65535 * u - 32768), u > 0.5, u(:, :, 1), uint8(255 * u(:, :, 2)), ...
%!           int16(65535 * u(:, :, 3) - 32768), u(:, :, 1) > 0.5, -u(:, :, 1) + 1.5};
%! boxes = [1 1 C R; 1 1 1 1; C R C R; 1 R 1 R; C 1 C 1; 2 3 9 20; 5 5 5 18; 1 4 C 4];
%! x0 = floor (1 + C * rand (60, 1));  y0 = floor (1 + R * rand (60, 1));
%! x1 = x0 + floor ((C - x0 + 1) .* rand (60, 1));
%! y1 = y0 + floor ((R - y0 + 1) .* rand (60, 1));
%! boxes = [boxes; x0, y0, x1, y1];

%!test
%! ## The bins of winscore.quantise, for every class, grey and RGB.
%! for k = 1:numel (images)
%!   img = images{k};
%!   if (size (img, 3) == 3)
%!     counts = [1 8 27 64 125];
%!   else
%!     counts = [1 2 5 64 256 1000];
%!   end
%!   for B = counts
%!     if (isfloat (img) && any (img(:) > 1))
%!       continue;   # the API refuses those; the kernel clips as unitImage does
%!     end
%!     want = by_definition (img, B);
%!     assert (winscore.internal.ringcontrast ("quantise", img, B), want);
%!     assert (winscore.quantise (img, B), want);
%!   end
%! end

%!test
%! ## The scores of the plug-ins, from the pixels and from their bins.
%! img = images{3};
%! [R, C, ~] = size (img);
%! for B = [8 64]
%!   q = by_definition (img, B);
%!   H = tallyplane (q, R, C, B);
%!   for p = [-200 -150 -1 0 1 50 100 200 1000]
%!     want = ringdiff (H, R, C, boxes(:, 1), boxes(:, 2), boxes(:, 3), boxes(:, 4), p, B, rows (boxes));
%!     got = winscore.internal.ringcontrast ("pixels", img, B, boxes, p, Inf);
%!     assert (typecast (got, "uint64"), typecast (want, "uint64"));
%!     got = winscore.internal.ringcontrast ("bins", q, B, boxes, p, Inf);
%!     assert (typecast (got, "uint64"), typecast (want, "uint64"));
%!   end
%! end

%!assert (winscore.internal.ringcontrast ("bins", ones (4), 1, zeros (0, 4), 50, 0), zeros (0, 1))
%!assert (winscore.internal.ringcontrast ("bytes", 768, 1024, 64, 3000) < 8e6)
%!error id=winscore:ringcontrast:badBox winscore.internal.ringcontrast ("bins", ones (4), 1, [1 1 5 4], 50, Inf)
%!error id=winscore:ringcontrast:badBin winscore.internal.ringcontrast ("bins", 2 * ones (4), 1, [1 1 4 4], 50, Inf)
%!error id=winscore:ringcontrast:notCube winscore.internal.ringcontrast ("quantise", ones (4, 4, 3), 9)
%!error id=winscore:ringcontrast:tooLarge winscore.internal.ringcontrast ("bins", ones (4), 1, [1 1 4 4], 50, 100)
%!error id=winscore:ringcontrast:notImage winscore.internal.ringcontrast ("pixels", {1}, 1, [1 1 1 1], 50, Inf)
%!error id=winscore:ringcontrast:formInputs winscore.internal.ringcontrast ("quantise", ones (4))
