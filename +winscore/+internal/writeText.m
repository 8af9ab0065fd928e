function writeText (caller, file, mode, text)
%WRITETEXT  Write a text to a file in one piece: open (MODE 'w' or 'a'), write, close.
%   winscore.internal.writeText(CALLER, FILE, MODE, TEXT) raises
%   winscore:CALLER:cannotWrite when FILE cannot be opened. Closing at once
%   leaves nothing in a buffer when the process is stopped after it.

% SPDX-License-Identifier: MIT

  [fid, why] = fopen (file, mode, 'n', 'UTF-8');
  if fid < 0
    winscore.internal.fail (caller, 'cannotWrite', file, why);
  end
  fprintf (fid, '%s', text);
  fclose (fid);
end
