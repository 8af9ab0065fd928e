function batch_throughput (photos, repetitions, count)
%BATCH_THROUGHPUT  winscore.proposeFiles on a folder of photos: workers, and its own cost.
%   BATCH_THROUGHPUT(PHOTOS) times winscore.proposeFiles over the JPEG
%   photos in the folder PHOTOS (default build/batch-photos, made by
%   bench/octave/batch_photos.sh), with 'MaxSide', 640, on 1 and on 2
%   workers, alternating, and prints the images per second of each (wall
%   time: workers are other processes) and their ratio, run by run. Then,
%   at 1 megapixel, it measures this process's CPU time of three things on
%   copies of a 1152 x 864 crop of the first photo: reading each file
%   (IMREAD), reading and winscore.propose, and winscore.proposeFiles on
%   them; what the batch spends beyond the second (writing, bookkeeping,
%   progress, the check of the options) is its own cost, printed per image
%   and as a share of propose's time; and again on 60 small images, where
%   propose takes little, for the batch's own cost alone.
%   BATCH_THROUGHPUT(PHOTOS, REPETITIONS, COUNT) sets the runs of each
%   (default 3) and takes the first COUNT photos (default all).
%   Needs the plug-ins and +winscore on the path (addpath build/mex); Octave.

% SPDX-License-Identifier: MIT

  if nargin < 1
    photos = 'build/batch-photos';
  end
  if nargin < 2
    repetitions = 3;
  end
  opts = {'MaxSide', 640, 'Verbose', false};
  listing = dir (fullfile (photos, '*.jpg'));
  if nargin < 3
    count = numel (listing);
  end
  files = fullfile (photos, sort ({listing.name}));
  files = files(1:count);
  scratch = tempname ();
  mkdir (scratch);
  out = {fullfile(scratch, 'one.csv'), fullfile(scratch, 'two.csv')};

  % Warm-up: the parallel package loaded, its workers started.
  winscore.proposeFiles (files(1:2), fullfile (scratch, 'warm.csv'), opts{:}, 'Workers', 2);
  wall = zeros (repetitions, 2);
  for r = 1:repetitions
    for w = 1:2
      delete (out{w});
      t = tic;
      winscore.proposeFiles (files, out{w}, opts{:}, 'Workers', w);
      wall(r, w) = toc (t);
    end
  end
  if ~isequal (fileread (out{1}), fileread (out{2}))
    error ('batch_throughput: 1 and 2 workers wrote different files');
  end
  fprintf ('\n%d photos (%s), ''MaxSide'' 640, %d runs each, wall seconds\n', count, photos, repetitions);
  fprintf ('%-10s %8s %8s %10s\n', 'workers', 'median', 'fastest', 'images/s');
  for w = 1:2
    fprintf ('%-10d %8.2f %8.2f %10.3f\n', w, median (wall(:, w)), min (wall(:, w)), ...
             count / median (wall(:, w)));
  end
  fprintf ('2 workers / 1 worker throughput, run by run: %s (median %.2f; same file: yes)\n', ...
           sprintf ('%.2f ', wall(:, 1) ./ wall(:, 2)), median (wall(:, 1) ./ wall(:, 2)));

  % The batch's own cost at 1 megapixel, in this process's CPU time.
  img = imread (files{1});
  [R, C, ~] = size (img);
  img = img(floor ((R - 864) / 2) + (1:864), floor ((C - 1152) / 2) + (1:1152), :);
  copies = 3;
  folder = fullfile (scratch, 'mp1');
  mkdir (folder);
  files = cell (1, copies);
  for k = 1:copies
    files{k} = fullfile (folder, sprintf ('%d.png', k));
    imwrite (img, files{k});
  end
  [reads, direct, batch, fixed] = deal (zeros (repetitions, 1));
  for r = 1:repetitions
    t = cputime ();
    for k = 1:copies
      img = imread (files{k});
    end
    reads(r) = cputime () - t;
    t = cputime ();
    for k = 1:copies
      [boxes, scores] = winscore.propose (imread (files{k}));
    end
    direct(r) = cputime () - t;
    delete (fullfile (scratch, '*.csv'));
    t = cputime ();
    winscore.proposeFiles (folder, out{1}, 'Verbose', false);
    batch(r) = cputime () - t;
    t = cputime ();
    winscore.proposeFiles ({}, out{2}, 'Verbose', false);   % the per-call part alone
    fixed(r) = cputime () - t;
  end
  proposeTime = (median (direct) - median (reads)) / copies;
  own = (median (batch) - median (direct) - median (fixed)) / copies;
  fprintf ('\n1 megapixel (1152 x 864 PNG), %d copies, %d runs, CPU seconds (medians)\n', copies, repetitions);
  fprintf ('%-44s %8.3f\n', 'read, per image', median (reads) / copies);
  fprintf ('%-44s %8.3f\n', 'winscore.propose, per image', proposeTime);
  fprintf ('%-44s %8.3f\n', 'winscore.proposeFiles, per call (no image)', median (fixed));
  fprintf ('%-44s %8.4f  (%.1f%% of propose)\n', 'winscore.proposeFiles, own cost per image', ...
           own, 100 * own / proposeTime);
  fprintf ('%-44s %8.4f  (%.1f%% of propose)\n', '  the same with the per-call part spread', ...
           (median (batch) - median (direct)) / copies, ...
           100 * (median (batch) - median (direct)) / copies / proposeTime);

  % The same on small images, where propose takes little: what the batch
  % adds per image in absolute terms.
  small = fullfile (scratch, 'small');
  mkdir (small);
  many = 60;
  files = cell (1, many);
  for k = 1:many
    files{k} = fullfile (small, sprintf ('%02d.png', k));
    imwrite (img(401:440, 501:560, :), files{k});
  end
  opts = {'Candidates', 20, 'Draws', 10};
  [direct, batch] = deal (zeros (repetitions, 1));
  for r = 1:repetitions
    t = cputime ();
    for k = 1:many
      [boxes, scores] = winscore.propose (imread (files{k}), opts{:});
    end
    direct(r) = cputime () - t;
    delete (fullfile (scratch, '*.csv'));
    t = cputime ();
    winscore.proposeFiles (small, out{1}, opts{:}, 'Verbose', false);
    batch(r) = cputime () - t;
  end
  own = (median (batch) - median (direct) - median (fixed)) / many;
  fprintf ('\n%d images of 60 x 40, 20 candidates, %d runs, CPU seconds (medians)\n', many, repetitions);
  fprintf ('%-44s %8.4f\n', 'read and winscore.propose, per image', median (direct) / many);
  fprintf ('%-44s %8.4f  (%.2f%% of propose at 1 MP)\n', 'winscore.proposeFiles, own cost per image', ...
           own, 100 * own / proposeTime);
  confirm_recursive_rmdir (false, 'local');
  rmdir (scratch, 's');
end
