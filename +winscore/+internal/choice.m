function value = choice (caller, name, value, choices)
%CHOICE  A text option or input that takes one of a few names.
%   VALUE = winscore.internal.choice(CALLER, NAME, VALUE, CHOICES) returns
%   the member of the cell CHOICES that VALUE names, by the options' rules:
%   char or string, any case, a unique beginning enough. Otherwise it raises
%   winscore:CALLER:badValue, listing CHOICES.

% SPDX-License-Identifier: MIT

  k = winscore.internal.pick (winscore.internal.text (value), choices);
  if k == 0
    listed = sprintf ('''%s'', ', choices{:});
    winscore.internal.fail (caller, 'badValue', winscore.internal.quoted (name), ...
                            ['one of ' listed(1:end - 2)], winscore.internal.describe (value));
  end
  value = choices{k};
end
