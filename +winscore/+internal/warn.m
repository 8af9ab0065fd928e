function warn (caller, fault, varargin)
%WARN  Issue one of the toolbox API's warnings.
%   winscore.internal.warn(CALLER, FAULT, ARGS...) issues the warning whose
%   identifier and text winscore.internal.message gives.

% SPDX-License-Identifier: MIT

  [id, text] = winscore.internal.message (caller, fault, varargin{:});
  warning (id, '%s', text);
end
