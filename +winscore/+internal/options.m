function opts = options (caller, defaults, args)
%OPTIONS  Name-value pairs of a winscore function over its defaults.
%   OPTS = winscore.internal.options(CALLER, DEFAULTS, ARGS) starts from the
%   struct DEFAULTS and sets each field named in the pairs of the cell ARGS.
%   Names match the fields without regard to case. CALLER, the function's
%   name, goes into the identifier and the message of every error.

% SPDX-License-Identifier: MIT

  opts = defaults;
  names = fieldnames (defaults);
  if mod (numel (args), 2) ~= 0
    error (['winscore:' caller ':options'], ...
           'winscore.%s: options come in name-value pairs', caller);
  end
  for k = 1:2:numel (args)
    name = args{k};
    if ~ischar (name) || size (name, 1) ~= 1
      error (['winscore:' caller ':options'], ...
             'winscore.%s: option names must be character strings', caller);
    end
    match = find (strcmpi (name, names));
    if isempty (match)
      error (['winscore:' caller ':unknownOption'], ...
             'winscore.%s: unknown option ''%s''; the options are %s', ...
             caller, name, sprintf ('''%s'' ', names{:}));
    end
    opts.(names{match}) = args{k + 1};
  end
end
