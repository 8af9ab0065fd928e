function r = proposeImage (file, args)
%PROPOSEIMAGE  One image of a batch: its rows of the results file, or why it failed.
%   R = winscore.internal.proposeImage(FILE, ARGS) reads the image FILE and
%   runs winscore.propose on it with the options ARGS. R.text holds its rows
%   (file, rank, xmin, ymin, xmax, ymax, score; one row of rank 0 with empty
%   fields when no window is found); on failure R.text is '' and
%   R.identifier and R.message tell why. Nothing is raised, so one image
%   never ends a batch.

% SPDX-License-Identifier: MIT

  r = struct ('text', '', 'identifier', '', 'message', '');
  if any (file == 10 | file == 13)
    [r.identifier, r.message] = winscore.internal.message ('proposeFiles', 'lineBreak', file);
    return;
  end
  try
    [img, note] = readImage (file);
  catch err
    note = err.message;
  end
  if ~isempty (note)
    [r.identifier, r.message] = winscore.internal.message ('proposeFiles', 'unreadable', file, note);
    return;
  end
  % A warning of propose's (a flat image) is shown, but without the calls
  % that led to it, which say nothing in a batch.
  state = warning ('off', 'backtrace');
  try
    [boxes, scores] = winscore.propose (img, args{:});
  catch err
    warning (state);
    r.identifier = err.identifier;
    r.message = err.message;
    return;
  end
  warning (state);
  prefix = [winscore.internal.csvField(file) ','];
  if isempty (scores)
    r.text = [prefix '0,,,,,' char(10)];
  else
    % The name goes into the format, so its own % and \ are escaped; %.17g
    % reads back as the same double.
    format = [strrep(strrep(prefix, '\', '\\'), '%', '%%') '%d,%d,%d,%d,%d,%.17g\n'];
    r.text = sprintf (format, [(1:numel (scores))', boxes, scores(:)]');
  end
end

function [img, note] = readImage (file)
  % The image in FILE, an indexed one as RGB. NOTE is a warning raised while
  % reading (a truncated JPEG is read with one, its missing part grey), which
  % fails the image, but for a note on an optional PNG chunk (lower-case
  % first letter, as in 'iCCP: known incorrect sRGB profile'), which leaves
  % the pixels whole.
  [before, beforeId] = lastwarn ();
  lastwarn ('');
  evalc ('[img, map] = imread (file);');
  note = lastwarn ();
  lastwarn (before, beforeId);
  if ~isempty (regexp (note, '(^|[^A-Za-z])[a-z][A-Za-z]{3}: ', 'once'))
    note = '';
  end
  if ~isempty (map)
    img = ind2rgb (img, map);
  end
end
