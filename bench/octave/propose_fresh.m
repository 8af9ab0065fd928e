function propose_fresh (photo)
%PROPOSE_FRESH  One call of winscore.propose with its defaults in this process.
%   PROPOSE_FRESH(PHOTO), run as the only work of a fresh octave-cli, reads
%   the file PHOTO, calls winscore.propose on it once, and prints one line,
%   tab-separated: fresh, the file, the call's CPU and wall seconds, the
%   process's peak resident memory before the call and during it (VmHWM,
%   kB), what it held when the call began (VmRSS, kB), the boxes returned
%   and the error identifier ('-' when none). The peak is reset as the call
%   begins (/proc/self/clear_refs), so the peak during the call less the
%   memory held when it began is what the call itself took.

% SPDX-License-Identifier: MIT

  img = imread (photo);
  before = status_kb ('VmHWM');
  reset_peak ();
  held = status_kb ('VmRSS');
  fault = '-';
  boxes = [];
  t = cputime ();
  w = tic ();
  try
    boxes = winscore.propose (img);
  catch err
    fault = err.identifier;
  end
  wall = toc (w);
  cpu = cputime () - t;
  fprintf ('fresh\t%s\t%.6f\t%.6f\t%d\t%d\t%d\t%d\t%s\n', photo, cpu, wall, before, ...
           status_kb ('VmHWM'), held, size (boxes, 1), fault);
end

function kb = status_kb (field)
  % A field of /proc/self/status, in kB; -1 where there is none.
  kb = -1;
  found = regexp (fileread ('/proc/self/status'), [field ':\s*(\d+)'], 'tokens', 'once');
  if ~isempty (found)
    kb = str2double (found{1});
  end
end

function reset_peak ()
  % Sets VmHWM to the present VmRSS (Linux 4.0 and later).
  fid = fopen ('/proc/self/clear_refs', 'w');
  if fid >= 0
    fprintf (fid, '5');
    fclose (fid);
  end
end
