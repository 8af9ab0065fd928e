function counts (caller, nin, inputs, nout, outputs, expects)
%COUNTS  Check the numbers of inputs and outputs of a call.
%   winscore.internal.counts(CALLER, NARGIN, [LO HI], NARGOUT, MAXOUT,
%   EXPECTS) raises winscore:CALLER:inputs (its text saying the function
%   expects EXPECTS) unless LO <= NARGIN <= HI, and winscore:CALLER:outputs
%   when NARGOUT exceeds MAXOUT. The functions take varargin and varargout,
%   so that these checks, not the host's, meet every call.

% SPDX-License-Identifier: MIT

  if nin < inputs(1) || nin > inputs(end)
    winscore.internal.fail (caller, 'inputs', expects);
  end
  if nout > outputs
    winscore.internal.fail (caller, 'outputs', outputs);
  end
end
