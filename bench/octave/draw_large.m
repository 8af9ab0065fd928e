function draw_large (repetitions)
%DRAW_LARGE  winscore.draw on a 12-megapixel image, against copying it.
%   DRAW_LARGE() draws ten boxes with score tags on a 4000 x 3000 RGB image,
%   uint8 and double, and prints the median and the fastest CPU time of
%   each beside the floor: making the uint8 RGB copy alone (a copy of the
%   uint8 image; uint8 (255 * img) of the double one), which any drawing
%   has to do. DRAW_LARGE(REPETITIONS) sets the runs of each (default 5).
%   Needs the plug-ins and +winscore on the path (addpath build/mex).

% SPDX-License-Identifier: MIT

  if nargin < 1
    repetitions = 5;
  end
  R = 3000; C = 4000;
  [x, y] = meshgrid (linspace (0, 1, C), linspace (0, 1, R));
  photo = uint8 (255 * cat (3, x, y, 0.5 * (x + y)));
  boxes = round ([1 + (0:9)' * 350, 1 + (0:9)' * 250, 600 + (0:9)' * 350, 500 + (0:9)' * 250]);
  boxes(:, 3) = min (boxes(:, 3), C + 200);                 % some leave the image
  scores = linspace (1.5, 0.5, 10);
  fprintf ('\nwinscore.draw, %d x %d RGB, 10 boxes with tags: CPU seconds\n', C, R);
  fprintf ('%-10s %10s %10s %12s %12s\n', 'class', 'median', 'fastest', 'floor median', 'floor fastest');
  for cls = {'uint8', 'double'}
    img = photo;
    if strcmp (cls{1}, 'double')
      img = double (photo) / 255;
    end
    drawn = zeros (repetitions, 1);
    copying = zeros (repetitions, 1);
    for k = 1:repetitions
      t = cputime ();
      out = winscore.draw (img, boxes, 'Scores', scores);
      drawn(k) = cputime () - t;
      t = cputime ();
      if isa (img, 'uint8')
        copy = img;
        copy(1) = 0;
      else
        copy = uint8 (255 * img);
      end
      copying(k) = cputime () - t;
    end
    fprintf ('%-10s %10.3f %10.3f %12.3f %12.3f\n', cls{1}, median (drawn), min (drawn), ...
             median (copying), min (copying));
  end
end
