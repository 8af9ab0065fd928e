function v = scalar (caller, name, v, lo, hi, whole)
%SCALAR  A checked numeric scalar option or input of a winscore function.
%   V = winscore.internal.scalar(CALLER, NAME, V, LO, HI, WHOLE) returns V
%   as a full double when it is a real numeric (or logical) scalar, not NaN,
%   in LO..HI, and a whole number when WHOLE is true (Inf passes when HI is
%   Inf). Otherwise it raises winscore:CALLER:badValue naming the input: an
%   option's NAME (it starts with a capital) in quotes, an input's bare.

% SPDX-License-Identifier: MIT

  ok = (isnumeric (v) || islogical (v)) && isscalar (v) && isreal (v);
  if ok
    v = full (double (v));
    ok = ~isnan (v) && v >= lo && v <= hi && (~whole || v == floor (v));
  end
  if ~ok
    winscore.internal.fail (caller, 'badValue', winscore.internal.quoted (name), ...
                            range (lo, hi, whole), winscore.internal.describe (v));
  end
end

function s = range (lo, hi, whole)
  if whole
    s = 'a whole number';
  else
    s = 'a real number';
  end
  if lo == 0 && hi == 1 && whole
    s = 'true or false (1 or 0)';
  else
    s = sprintf ('%s in %s..%s', s, num2str (lo), num2str (hi));
  end
end
