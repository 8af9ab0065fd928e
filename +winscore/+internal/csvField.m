function field = csvField (text)
%CSVFIELD  A text as one field of a CSV line, quoted when it needs to be.
%   FIELD = winscore.internal.csvField(TEXT) is TEXT itself, or TEXT in
%   double quotes with each quote doubled when it holds a comma, a quote or
%   a line break, or starts or ends with a blank (which readers may drop).

% SPDX-License-Identifier: MIT

  if any (text == ',' | text == '"' | text == 10 | text == 13) || ...
     (~isempty (text) && (text(1) == ' ' || text(end) == ' '))
    field = ['"' strrep(text, '"', '""') '"'];
  else
    field = text;
  end
end
