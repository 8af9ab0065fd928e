function fail (caller, fault, varargin)
%FAIL  Raise one of the toolbox API's errors.
%   winscore.internal.fail(CALLER, FAULT, ARGS...) raises the error whose
%   identifier and text winscore.internal.message gives.

% SPDX-License-Identifier: MIT

  [id, text] = winscore.internal.message (caller, fault, varargin{:});
  error (id, '%s', text);
end
