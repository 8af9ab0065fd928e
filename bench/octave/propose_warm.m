function propose_warm (photos, repeats)
%PROPOSE_WARM  winscore.propose with its defaults, warm, on each photo.
%   PROPOSE_WARM(PHOTOS) reads each file of the cell array PHOTOS, calls
%   winscore.propose on it once untimed, then REPEATS more times (default:
%   enough calls for about a second, 5 to 25 of them, or 3 when the first
%   call took over 2 s), and prints one line per
%   photo, tab-separated: warm, the file, the median CPU seconds, the
%   median wall seconds, the calls timed, the boxes returned, and the error
%   identifier ('-' when none). A call that fails is reported, not raised.
%   Needs the plug-ins and +winscore on the path.

% SPDX-License-Identifier: MIT

  if nargin < 2
    repeats = 0;
  end
  for p = 1:numel (photos)
    img = imread (photos{p});
    fault = '-';
    cpu = NaN;
    wall = NaN;
    boxes = [];
    try
      first = tic ();
      winscore.propose (img);
      n = repeats;
      if n < 1
        once = toc (first);
        n = min (max (ceil (1 / once), 5), 25) - 2 * (once > 2);
      end
      cpu = zeros (n, 1);
      wall = zeros (n, 1);
      for r = 1:n
        t = cputime ();
        w = tic ();
        boxes = winscore.propose (img);
        wall(r) = toc (w);
        cpu(r) = cputime () - t;
      end
    catch err
      fault = err.identifier;
    end
    fprintf ('warm\t%s\t%.6f\t%.6f\t%d\t%d\t%s\n', photos{p}, median (cpu), median (wall), ...
             numel (cpu) * strcmp (fault, '-'), size (boxes, 1), fault);
    clear img boxes;
  end
end
