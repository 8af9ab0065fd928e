function [k, matches] = pick (name, choices)
%PICK  Which of CHOICES a name given by a user means.
%   [K, MATCHES] = winscore.internal.pick(NAME, CHOICES) compares the
%   character row NAME with the cell of names CHOICES without regard to
%   case: a name equal to a choice picks it, otherwise a name that begins
%   exactly one choice picks that one. K is its index, or 0 when NAME picks
%   none; MATCHES lists the choices NAME begins (more than one when it is
%   ambiguous).

% SPDX-License-Identifier: MIT

  k = 0;
  matches = {};
  if ~ischar (name) || size (name, 1) ~= 1 || isempty (name)
    return;
  end
  exact = find (strcmpi (name, choices), 1);
  if ~isempty (exact)
    k = exact;
    matches = choices(exact);
    return;
  end
  begins = find (strncmpi (name, choices, numel (name)));
  matches = choices(begins);
  if numel (begins) == 1
    k = begins;
  end
end
