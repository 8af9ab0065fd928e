function s = quoted (name)
%QUOTED  An input's name as a message shows it: options ('Keep', they start
%   with a capital) in quotes, positional inputs (n, bins) bare.

% SPDX-License-Identifier: MIT

  s = name;
  if ~isempty (name) && any (name(1) == 'A':'Z')
    s = ['''' name ''''];
  end
end
