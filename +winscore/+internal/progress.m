function p = progress (command, p, varargin)
%PROGRESS  The progress line of a batch: images done of all, per second, time left.
%   P = winscore.internal.progress('start', CALLER, TOTAL, DONE, VERBOSE)
%   starts the count of a batch of TOTAL images of which DONE are done
%   already. P = winscore.internal.progress('step', P, FAILED) counts one
%   more image, FAILED true when it failed, and shows the line when it is
%   due: in place on a terminal (at most 4 times a second), as a new line
%   every 10 seconds otherwise. winscore.internal.progress('finish', P,
%   FAILNAME) shows the last line. Nothing is shown when VERBOSE is false.

% SPDX-License-Identifier: MIT

  switch command
    case 'start'
      [caller, total, done, verbose] = deal (p, varargin{:});
      p = struct ('caller', caller, 'total', total, 'done', done, 'first', done, 'failed', 0, ...
                  'verbose', verbose, 'clock', tic, 'shown', 0, 'width', 0, ...
                  'terminal', false, 'every', 10);
      if verbose && isunix () && exist ('OCTAVE_VERSION', 'builtin')
        p.terminal = system ('test -t 1') == 0;
      end
      if p.terminal
        p.every = 0.25;
      end
    case 'step'
      p.done = p.done + 1;
      p.failed = p.failed + varargin{1};
      if p.verbose && toc (p.clock) - p.shown >= p.every && p.done < p.total
        seconds = toc (p.clock);
        rate = (p.done - p.first) / seconds;
        [~, line] = winscore.internal.message (p.caller, 'progress', p.done, p.total, p.failed, ...
                                               rate, clockTime ((p.total - p.done) / rate));
        p = show (p, line);
        p.shown = seconds;
      end
    case 'finish'
      if p.verbose
        [~, line] = winscore.internal.message (p.caller, 'finished', p.done - p.failed, ...
                                               p.total, p.first, p.failed, varargin{1}, ...
                                               clockTime (toc (p.clock)));
        p = show (p, line);
        if p.terminal
          fprintf ('\n');
        end
      end
  end
end

function p = show (p, line)
  if p.terminal
    fprintf ('\r%s%s', line, repmat (' ', 1, p.width - numel (line)));
    p.width = numel (line);
  else
    fprintf ('%s\n', line);
  end
  if exist ('OCTAVE_VERSION', 'builtin')
    fflush (stdout);
  end
end

function text = clockTime (seconds)
  seconds = round (seconds);
  text = sprintf ('%d:%02d:%02d', floor (seconds / 3600), mod (floor (seconds / 60), 60), ...
                  mod (seconds, 60));
end
