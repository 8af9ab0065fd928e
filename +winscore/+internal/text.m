function v = text (v, caller, name, kind)
%TEXT  A string scalar as a character row; anything else as it is.
%   V = winscore.internal.text(V) lets every function take text as MATLAB
%   users write it, 'MaxSide' or "MaxSide" alike (MATLAB's Name=Value syntax
%   passes strings). V = ...(V, CALLER, NAME, KIND) also requires text and
%   raises winscore:CALLER:badValue, saying NAME must be KIND, otherwise.

% SPDX-License-Identifier: MIT

  if isstring (v) && isscalar (v)
    v = char (v);
  end
  if nargin > 1 && ~(ischar (v) && size (v, 1) <= 1)
    winscore.internal.fail (caller, 'badValue', name, kind, winscore.internal.describe (v));
  end
end
