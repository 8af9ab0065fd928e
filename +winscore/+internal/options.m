function opts = options (caller, defaults, args)
%OPTIONS  Name-value pairs of a winscore function over its defaults.
%   OPTS = winscore.internal.options(CALLER, DEFAULTS, ARGS) starts from the
%   struct DEFAULTS and sets each field named in the pairs of the cell ARGS.
%   The rules, the same in every function of the toolbox:
%   - names and text values are char rows or string scalars (MATLAB's
%     Name=Value syntax passes strings); string values arrive as char;
%   - names match the fields without regard to case, and a name that begins
%     exactly one field ('Cand' for 'Candidates') names that field;
%   - a later pair overrides an earlier one;
%   - sparse values arrive full.
%   CALLER, the function the user called, goes into the identifier and the
%   text of every error.

% SPDX-License-Identifier: MIT

  opts = defaults;
  names = fieldnames (defaults);
  for k = 1:2:numel (args)
    name = winscore.internal.text (args{k});
    if ~ischar (name) || size (name, 1) ~= 1
      winscore.internal.fail (caller, 'optionName', (k + 1) / 2, ...
                              winscore.internal.describe (name));
    end
    [match, matches] = winscore.internal.pick (name, names);
    if match == 0 && numel (matches) > 1
      winscore.internal.fail (caller, 'ambiguousOption', name, list (matches));
    elseif match == 0
      winscore.internal.fail (caller, 'unknownOption', name, list (names));
    end
    if k == numel (args)
      winscore.internal.fail (caller, 'options', names{match});
    end
    value = winscore.internal.text (args{k + 1});
    if issparse (value)
      value = full (value);
    end
    opts.(names{match}) = value;
  end
end

function s = list (names)
  s = sprintf ('''%s'', ', names{:});
  s = s(1:end - 2);
end
