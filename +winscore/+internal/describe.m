function d = describe (v)
%DESCRIBE  A value as an error message shows it.
%   D = winscore.internal.describe(V) is the value itself for a short text
%   or a real scalar ('abc', 2.5, uint8 7), otherwise its class and size
%   with rows and columns named: 'a double array of 4 rows x 6 columns'.

% SPDX-License-Identifier: MIT

  v = winscore.internal.text (v);
  if ischar (v) && size (v, 1) == 1 && numel (v) <= 40
    d = ['''' v ''''];
  elseif (isnumeric (v) || islogical (v)) && isscalar (v) && isreal (v) && ~issparse (v)
    d = num2str (double (v), 17);
    if ~isa (v, 'double')
      d = [class(v) ' ' d];
    end
  else
    kind = class (v);
    if issparse (v)
      kind = ['sparse ' kind];
    elseif isnumeric (v) && ~isreal (v)
      kind = ['complex ' kind];
    end
    s = size (v);
    d = sprintf ('a %s array of %d rows x %d columns', kind, s(1), s(2));
    if numel (s) == 3
      d = sprintf ('%s x %d planes', d, s(3));
    elseif numel (s) > 3
      d = [d sprintf(' x %d', s(3:end))];
    end
  end
end
