## The demo end to end: it runs, repeats itself, and writes an 8-bit picture
## where the caller asks.

%!test
%! out = fullfile (pwd (), "winscore_demo.png");
%! if (exist (out, "file"))
%!   delete (out);
%! end
%! text = evalc ("top = winscore_demo ();");
%! assert (exist (out, "file"), 2);
%! info = imfinfo (out);
%! assert ([info.Height, info.Width, info.BitDepth], [240, 640, 8]);
%! assert (! isempty (strfind (text, "rank")));
%! assert (! isempty (strfind (text, ["wrote " out])));
%! ## Every kept window stands out clearly, each of the four shapes is in one,
%! ## and a second run gives the same ones.
%! assert (numel (top.score) >= 3);
%! assert (all (top.score > 0.8));
%! for centre = [80 70; 230 67; 240 180; 95 190]'
%!   assert (any (top.xmin <= centre(1) & centre(1) <= top.xmax ...
%!                & top.ymin <= centre(2) & centre(2) <= top.ymax));
%! end
%! assert (issorted (flipud (top.score)));
%! ## The grid stage finds separate peaks, each a window of whole cells.
%! assert (numel (top.grid.score) >= 3);
%! assert (all (top.grid.xmin < top.grid.xmax & top.grid.ymin < top.grid.ymax));
%! ## A second run gives the same, and the caller's random state is left alone.
%! rand ("state", 11); randn ("state", 12);
%! r = rand ("state"); n = randn ("state");
%! evalc ("again = winscore_demo ();");
%! assert (again, top);
%! assert ({rand("state"), randn("state")}, {r, n});

%!test
%! ## A user's own image: grey, 16-bit, larger than the working copy; the
%! ## windows come back in its own pixels, the picture goes where asked.
%! src = [tempname() ".png"];
%! dst = [tempname() ".png"];
%! img = 20000 * ones (400, 500, "uint16");
%! img(100:200, 150:300) = 60000;
%! imwrite (img, src);
%! text = evalc ("top = winscore_demo (src, dst);");
%! info = imfinfo (dst);
%! delete (dst);
%! assert ([info.Height, info.Width, info.BitDepth], [400, 1000, 8]);
%! assert (top.xmin(1) >= 140 && top.xmax(1) <= 310 && top.ymin(1) >= 90 && top.ymax(1) <= 210);
%! assert (all (top.xmax <= 500 & top.ymax <= 400));
%! ## The call it prints, copied, gives the windows it kept.
%! call = regexp (text, '\[boxes, scores\] = winscore.propose \(img[^\n]*;', "match", "once");
%! img = imread (src);
%! eval (call);
%! assert (ismember ([top.xmin top.ymin top.xmax top.ymax], boxes, "rows"));
%! delete (src);
%! ## No picture when the caller asks for none.
%! text = evalc ("winscore_demo ('', '');");
%! assert (isempty (strfind (text, "wrote")));
