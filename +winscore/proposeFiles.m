function [done, failed] = proposeFiles (files, outfile, varargin)
%PROPOSEFILES  The windows of many images, into one results file, resumable and parallel.
%   [DONE, FAILED] = winscore.proposeFiles(FILES, OUTFILE) runs
%   winscore.propose on every image of FILES and writes the windows to the
%   CSV file OUTFILE. FILES is a cell array of file names, a folder (every
%   file in it named .bmp .gif .jp2 .jpe .jpeg .jpg .pbm .pgm .png .pnm
%   .ppm .tif .tiff or .webp, any case, not hidden, in sorted order) or a
%   pattern such as 'photos/*.jpg' (the matching files, in sorted order); a
%   name listed twice counts once. DONE lists the images whose windows are
%   in OUTFILE; FAILED is a struct array (file, identifier, message) of the
%   images that failed, and why.
%
%   OUTFILE starts with the line file,rank,xmin,ymin,xmax,ymax,score and
%   holds one row per window: the image's file name as given (in double
%   quotes, quotes doubled, when it holds a comma or a quote), the window's
%   rank (1 is the best), its box in the image's pixels and its score,
%   written with 17 digits so that it reads back as the same double. An
%   image without windows (as with 'Keep', 0) has one row of rank 0 with the
%   other fields empty. Rows follow the order of FILES, whatever the workers.
%   READTABLE, pandas' read_csv and spreadsheets read it.
%
%   Images that cannot be read (missing, empty, corrupt, truncated, not an
%   image) and images winscore.propose refuses (four channels, its memory
%   guard) are reported and skipped: they are listed, with the reason, in
%   FAILED and in the file OUTFILE with .failed.csv in place of .csv (file,
%   identifier, message), written anew by each run.
%
%   Each image's rows are written as soon as it is done, so stopping the
%   run at any moment loses at most the images in progress. Running the
%   same call again resumes: images already in OUTFILE are skipped (the
%   count is shown), images that failed are tried again, and the last
%   image in OUTFILE is worked out again and its rows replaced if they were
%   cut short. Run again with the same options; OUTFILE then ends as one
%   uninterrupted run would have written it.
%
%   Options (name-value pairs; every option of winscore.propose, such as
%   'MaxSide' or 'Keep', passes through to it and is checked once, before
%   the first image):
%     'Workers'  worker processes, default 1. In Octave they come from the
%                parallel package (pkg load parallel); in MATLAB from the
%                open parallel pool (parpool). Without either, the images
%                run in this process, with a warning. The results are the
%                same, bit for bit, with any number of workers.
%     'Shard'    [k n]: only the k-th of n parts of FILES, the parts being
%                consecutive runs of (nearly) equal length; default [1 1].
%                Each part goes to its own OUTFILE, and winscore.mergeResults
%                joins the parts into the file one run would have written.
%     'Verbose'  true (default) shows the progress: images done of all,
%                images per second and time left, in place on a terminal,
%                a line every 10 seconds in a log.
%   These three may be shortened to two letters or more, as 'Wo'.
%
%   Example:
%     folder = tempname ();  mkdir (folder);
%     img = zeros (120, 160, 3);  img(30:60, 40:90, 1) = 1;
%     imwrite (img, fullfile (folder, 'a.png'));
%     imwrite (img(:, end:-1:1, :), fullfile (folder, 'b.png'));
%     out = fullfile (folder, 'boxes.csv');
%     done = winscore.proposeFiles (folder, out, 'Keep', 3, 'Verbose', false);
%     c = textscan (fileread (out), '%s %f %f %f %f %f %f', ...
%                   'Delimiter', ',', 'HeaderLines', 1);
%     [c{2:7}]                    % rank, box and score of each window
%
%   See also WINSCORE.PROPOSE, WINSCORE.MERGERESULTS.

% SPDX-License-Identifier: MIT

  caller = 'proposeFiles';
  if nargin < 2
    winscore.internal.fail (caller, 'inputs', ...
      'a folder, a pattern or a cell array of image files, and the name of the results file');
  end
  outfile = winscore.internal.text (outfile, caller, 'OUTFILE', 'a file name (text)');
  [own, rest] = splitOptions (varargin);
  opts = winscore.internal.options (caller, struct ('Workers', 1, 'Shard', [1 1], ...
                                                    'Verbose', true), own);
  workers = winscore.internal.scalar (caller, 'Workers', opts.Workers, 1, 2 ^ 16, true);
  verbose = winscore.internal.scalar (caller, 'Verbose', opts.Verbose, 0, 1, true) ~= 0;
  shard = opts.Shard;
  if ~isnumeric (shard) || numel (shard) ~= 2 || ~isreal (shard) || ~all (isfinite (shard)) ...
     || any (shard ~= floor (shard)) || shard(1) < 1 || shard(1) > shard(2)
    winscore.internal.fail (caller, 'badValue', '''Shard''', ...
                            '[k n], whole numbers with 1 <= k <= n', winscore.internal.describe (shard));
  end
  checkOptions (rest);

  list = imageList (caller, files);
  total = numel (list);
  list = list(floor ((shard(1) - 1) * total / shard(2)) + 1:floor (shard(1) * total / shard(2)));

  [header, failHeader, failName] = winscore.internal.resultsFile (outfile);
  [text, names, starts] = winscore.internal.readResults (caller, outfile, header);
  if isempty (names) && ~strcmp (text, [header char(10)])
    winscore.internal.writeText (caller, outfile, 'w', [header char(10)]);
  elseif ~isempty (names)
    % The last image's rows may have been cut short: work it out again and
    % keep the file only if they match.
    r = winscore.internal.proposeImage (names{end}, rest);
    if ~strcmp (text(starts(end):end), r.text)
      replaceText (caller, outfile, [text(1:starts(end) - 1) r.text]);
      if isempty (r.text)
        names(end) = [];
      end
    end
  end
  winscore.internal.writeText (caller, failName, 'w', [failHeader char(10)]);

  isDone = ismember (list, names);
  todo = list(~isDone);
  p = winscore.internal.progress ('start', caller, numel (list), sum (isDone), verbose);
  if verbose && any (isDone)
    [~, line] = winscore.internal.message (caller, 'skipped', sum (isDone), numel (list));
    fprintf ('%s\n', line);
  end

  % Results are written in the order of the list as soon as all before them
  % are: a worker's result waits in RESULTS only for slower ones before it.
  m = numel (todo);
  written = false (m, 1);
  failed = struct ('file', {}, 'identifier', {}, 'message', {});
  if m > 0
    pool = winscore.internal.workerPool ('start', caller, ...
                                         @(f) winscore.internal.proposeImage (f, rest), todo, workers);
    results = cell (m, 1);
    ready = false (m, 1);
    next = 1;
    for got = 1:m
      [pool, k, r] = winscore.internal.workerPool ('next', pool);
      results{k} = r;
      ready(k) = true;
      while next <= m && ready(next)
        r = results{next};
        results{next} = [];
        if isempty (r.identifier)
          winscore.internal.writeText (caller, outfile, 'a', r.text);
          written(next) = true;
        else
          winscore.internal.writeText (caller, failName, 'a', sprintf ('%s,%s,%s\n', ...
            winscore.internal.csvField (todo{next}), winscore.internal.csvField (r.identifier), ...
            winscore.internal.csvField (r.message)));
          failed(end + 1, 1) = struct ('file', todo{next}, 'identifier', r.identifier, ...
                                       'message', r.message);
        end
        p = winscore.internal.progress ('step', p, ~written(next));
        next = next + 1;
      end
    end
  end
  winscore.internal.progress ('finish', p, failName);
  retried = find (~isDone);
  if any (written) && any (isDone(retried(find (written, 1)) + 1:end))
    sortRecords (caller, outfile, header, list);
  end
  isDone(~isDone) = written;
  done = list(isDone);
end

function sortRecords (caller, outfile, header, list)
  % An image that failed before and was done now came after images that
  % follow it in LIST: the records in the order of LIST (images of other
  % lists last, as they were), as one run would have written them.
  [text, names, starts] = winscore.internal.readResults (caller, outfile, header);
  [~, order] = sort (positionIn (list, names));
  ends = [starts(2:end) - 1, numel(text)];
  parts = cell (1, numel (names));
  for k = 1:numel (names)
    parts{k} = text(starts(order(k)):ends(order(k)));
  end
  replaceText (caller, outfile, [text(1:starts(1) - 1) parts{:}]);
end

function at = positionIn (list, names)
  [found, at] = ismember (names, list);
  at(~found) = numel (list) + find (~found);
end

function [own, rest] = splitOptions (args)
  % This function's own options, by name or by two letters or more of it
  % (one letter is left to winscore.propose: 'W' is its 'WindowSize'); the
  % rest are winscore.propose's.
  mine = false (size (args));
  for k = 1:2:numel (args)
    name = winscore.internal.text (args{k});
    if ischar (name) && numel (name) >= 2 && winscore.internal.pick (name, {'Workers', 'Shard', 'Verbose'})
      mine(k:min (k + 1, end)) = true;
    end
  end
  own = args(mine);
  rest = args(~mine);
end

function checkOptions (rest)
  % winscore.propose on a small image with the options given: what it
  % rejects in the options themselves ends the call here, once, rather than
  % failing every image. Faults of this image alone do not count.
  img = reshape (mod ((1:64 * 64 * 3) * 0.618034, 1), 64, 64, 3);
  state = warning ('off', 'all');
  try
    winscore.propose (img, rest{:});
  catch err
    warning (state);
    fault = err.identifier(find (err.identifier == ':', 1, 'last') + 1:end);
    if any (strcmp (fault, {'options', 'optionName', 'unknownOption', 'ambiguousOption', 'badValue'}))
      rethrow (err);
    end
  end
  warning (state);
end

function list = imageList (caller, files)
  % The files of FILES as a column of names, each once, in their order.
  files = winscore.internal.text (files);
  if isstring (files)
    files = cellstr (files);
  end
  if ischar (files) && size (files, 1) == 1
    listing = dir (files);
    listing = listing(~[listing.isdir]);
    names = sort ({listing.name});
    folder = files;
    if exist (files, 'dir') == 7
      image = '\.(bmp|gif|jp2|jpe|jpeg|jpg|pbm|pgm|png|pnm|ppm|tif|tiff|webp)$';
      names = names(~cellfun (@isempty, regexpi (names, image, 'once')) & ~strncmp (names, '.', 1));
    else
      folder = fileparts (files);
      if isempty (names) && ~any (files == '*' | files == '?')
        names = {files};            % a single file, which then fails as missing
        folder = '';
      end
    end
    list = cell (numel (names), 1);
    for k = 1:numel (names)
      list{k} = fullfile (folder, names{k});
    end
  elseif iscell (files) && all (cellfun (@(f) ischar (f) && size (f, 1) <= 1, files(:)))
    list = files(:);
  else
    winscore.internal.fail (caller, 'badValue', 'FILES', ...
      'a folder, a pattern or a cell array of file names', winscore.internal.describe (files));
  end
  [~, first] = unique (list, 'first');
  list = reshape (list(sort (first)), [], 1);
end

function replaceText (caller, file, text)
  % The whole file anew, through a copy, so that it is never half written.
  copy = [file '.part'];
  winscore.internal.writeText (caller, copy, 'w', text);
  movefile (copy, file, 'f');
end
