function v = text (v)
%TEXT  A string scalar as a character row; anything else as it is.
%   V = winscore.internal.text(V) lets every function take text as MATLAB
%   users write it, 'MaxSide' or "MaxSide" alike (MATLAB's Name=Value syntax
%   passes strings).

% SPDX-License-Identifier: MIT

  if isstring (v) && isscalar (v)
    v = char (v);
  end
end
