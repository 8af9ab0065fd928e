function [text, names, starts] = readResults (caller, file, header)
%READRESULTS  A results file's text, and where each image's rows begin.
%   [TEXT, NAMES, STARTS] = winscore.internal.readResults(CALLER, FILE,
%   HEADER) reads FILE whole. TEXT is '' when FILE is missing, empty or holds
%   only a torn header line; a FILE that starts with anything else than the
%   line HEADER raises winscore:CALLER:notResults. NAMES lists the images
%   whose rows follow one another in FILE, in the order they come, and
%   STARTS(i) is the index in TEXT where the rows of NAMES{i} begin. A torn
%   last line belongs to the image whose name it starts with, or to the one
%   before when it holds no whole name.

% SPDX-License-Identifier: MIT

  text = '';
  names = {};
  starts = [];
  fid = fopen (file, 'r', 'n', 'UTF-8');
  if fid < 0
    return;
  end
  text = fread (fid, Inf, '*char')';
  fclose (fid);
  head = [header char(10)];
  if numel (text) < numel (head) && strncmp (text, head, numel (text))
    text = '';
    return;
  end
  if ~strncmp (text, head, numel (head))
    winscore.internal.fail (caller, 'notResults', file, header);
  end

  % The first field of every line: a quoted name (quotes doubled) or a bare one.
  [fields, starts] = regexp (text(numel (head) + 1:end), '^("(?:[^"\n]|"")*"|[^,"\n]*),', ...
                             'tokens', 'start', 'lineanchors');
  if isempty (fields)
    return;
  end
  fields = cellfun (@(t) t{1}, fields, 'UniformOutput', false);
  first = [true, ~strcmp(fields(2:end), fields(1:end-1))];
  names = fields(first);
  starts = starts(first) + numel (head);
  quoted = find (strncmp (names, '"', 1));
  for k = quoted
    names{k} = strrep (names{k}(2:end-1), '""', '"');
  end
end
