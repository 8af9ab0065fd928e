## The demo end to end: it runs, repeats itself, and writes an 8-bit picture.

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
%! ## Every kept window stands out clearly, and a second run gives the same ones.
%! assert (numel (top.score) >= 3);
%! assert (all (top.score > 1));
%! assert (issorted (flipud (top.score)));
%! ## The grid stage finds separate peaks, each a window of whole cells.
%! assert (numel (top.grid.score) >= 3);
%! assert (all (top.grid.xmin < top.grid.xmax & top.grid.ymin < top.grid.ymax));
%! evalc ("again = winscore_demo ();");
%! assert (again, top);

%!test
%! ## A user's own image: gray, 16-bit, larger than the demo scales to.
%! src = [tempname() ".png"];
%! img = 20000 * ones (400, 500, "uint16");
%! img(100:200, 150:300) = 60000;
%! imwrite (img, src);
%! evalc ("winscore_demo (src);");
%! delete (src);
%! info = imfinfo (fullfile (pwd (), "winscore_demo.png"));
%! assert ([info.Height, info.Width, info.BitDepth], [256, 640, 8]);
