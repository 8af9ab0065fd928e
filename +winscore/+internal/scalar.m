function v = scalar (caller, name, v, lo, hi, whole)
%SCALAR  A checked numeric scalar option or input of a winscore function.
%   V = winscore.internal.scalar(CALLER, NAME, V, LO, HI, WHOLE) returns V
%   as a double when it is a real numeric (or logical) scalar, not NaN, in
%   LO..HI, and a whole number when WHOLE is true (Inf passes when HI is
%   Inf). Otherwise it raises winscore:CALLER:NAME naming the input.

% SPDX-License-Identifier: MIT

  ok = (isnumeric (v) || islogical (v)) && isscalar (v) && isreal (v);
  if ok
    v = double (v);
    ok = ~isnan (v) && v >= lo && v <= hi && (~whole || v == floor (v));
  end
  if ~ok
    if whole
      kind = 'a whole number';
    else
      kind = 'a real number';
    end
    error (['winscore:' caller ':' name], 'winscore.%s: %s must be %s in %s..%s', ...
           caller, name, kind, num2str (lo), num2str (hi));
  end
end
