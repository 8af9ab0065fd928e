function mergeResults (parts, outfile)
%MERGERESULTS  Join the results files of the shards of a batch into one.
%   winscore.mergeResults(PARTS, OUTFILE) writes OUTFILE as one call of
%   winscore.proposeFiles without 'Shard' would have written it, byte for
%   byte, from PARTS, a cell array of the results files of shards 1..n of
%   the same call, in that order. The failures files beside the parts are
%   joined alike into the one beside OUTFILE. Merge when every shard has
%   finished: a part whose last line is cut short is refused (run its shard
%   again, which resumes it).
%
%   Example:
%     folder = tempname ();  mkdir (folder);
%     img = zeros (120, 160, 3);  img(30:60, 40:90, 1) = 1;
%     for k = 1:5
%       imwrite (circshift (img, [0 10*k]), fullfile (folder, sprintf ('%d.png', k)));
%     end
%     parts = cell (1, 3);
%     for k = 1:3                            % one per node of a cluster
%       parts{k} = fullfile (folder, sprintf ('part%d.csv', k));
%       winscore.proposeFiles (folder, parts{k}, 'Shard', [k 3], 'Verbose', false);
%     end
%     winscore.mergeResults (parts, fullfile (folder, 'all.csv'));
%
%   See also WINSCORE.PROPOSEFILES.

% SPDX-License-Identifier: MIT

  caller = 'mergeResults';
  if nargin ~= 2
    winscore.internal.fail (caller, 'inputs', 'the results files of the shards, in order, and the name of the joined file');
  end
  if isstring (parts)
    parts = cellstr (parts);
  end
  if ~iscell (parts) || ~all (cellfun (@(f) ischar (f) && size (f, 1) == 1, parts(:)))
    winscore.internal.fail (caller, 'badValue', 'PARTS', 'a cell array of file names', ...
                            winscore.internal.describe (parts));
  end
  outfile = winscore.internal.text (outfile, caller, 'OUTFILE', 'a file name (text)');

  [header, failHeader, failName] = winscore.internal.resultsFile (outfile);
  bodies = cell (1, numel (parts));
  failures = cell (1, numel (parts));
  for k = 1:numel (parts)
    if exist (parts{k}, 'file') ~= 2
      winscore.internal.fail (caller, 'cannotRead', parts{k});
    end
    text = winscore.internal.readResults (caller, parts{k}, header);
    if isempty (text) || text(end) ~= char (10)
      winscore.internal.fail (caller, 'tornPart', parts{k});
    end
    bodies{k} = text(numel (header) + 2:end);
    [~, ~, partFailName] = winscore.internal.resultsFile (parts{k});
    failures{k} = readBody (partFailName, failHeader);
  end
  winscore.internal.writeText (caller, outfile, 'w', [header char(10) bodies{:}]);
  winscore.internal.writeText (caller, failName, 'w', [failHeader char(10) failures{:}]);
end

function body = readBody (file, header)
  % A failures file without its first line ('' when there is none).
  body = '';
  fid = fopen (file, 'r', 'n', 'UTF-8');
  if fid >= 0
    text = fread (fid, Inf, '*char')';
    fclose (fid);
    if strncmp (text, [header char(10)], numel (header) + 1)
      body = text(numel (header) + 2:end);
    end
  end
end
