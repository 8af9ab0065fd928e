## drawweighted as a user calls it from Octave.

## The sequence starts afresh when the plug-in is loaded, and carries over calls.
%!test
%! clear drawweighted
%! assert (drawweighted ([1 2 3], 5, 1), [1 3 2 3 3]);
%! ## With 32768 unit scores a draw returns its random value plus 1.
%! assert (drawweighted (ones (1, 32768), 3, 1) - 1, [15724 11478 29358]);
%! clear drawweighted
%! assert (drawweighted (ones (1, 32768), 5, 1) - 1, [41 18467 6334 26500 19169]);
%! clear drawweighted
%! a = drawweighted ([1 2 3], 5, 1);
%! b = drawweighted ([1 2 3], 5, 1);
%! clear drawweighted
%! assert (drawweighted ([1 2 3], 10, 1), [a b]);

%!test
%! assert (drawweighted ([0 0 5], 4.9, 1), [3 3 3 3]);
%! assert (drawweighted (reshape ([0 0 1 7 7 7], 2, 3), 3, 1), [3 3 3]);  # scores (1,1) (2,1) (1,2)
%! assert (size (drawweighted ([], 0, 1)), [1 0]);
%! assert (size (drawweighted (zeros (0, 5), 0, 0)), [1 0]);
%! assert (drawweighted ([1 0 0], 3, 0)(2:3), [3 3]);
%! p = drawweighted ([4 3 2 1], 4, 0.5);
%! assert (all (p >= 1 & p <= 4));
%! s = drawweighted ([1 2 3 4], 20000, 1);
%! assert (histc (s, 1:4) / 20000, [0.1 0.2 0.3 0.4], 0.02);
%! assert (all (ismember (drawweighted ([NaN -1 Inf 2], 50, 1), 1:4)));
%! assert (all (ismember (drawweighted ([NaN -1 Inf 2], 4, 0), 1:4)));

## The input-count message ends in a blank, which an %!error pattern cannot hold.
%!function check_input_count (varargin)
%!  try
%!    [a, b, c] = drawweighted (varargin{:});
%!    error ("no error");
%!  catch err
%!    assert (strcmp (err.message, "drawweighted: 3 input argument required: scoreVector, numberSamples, replacementOption "));
%!    assert (err.identifier, "winscore:drawweighted:inputCount");
%!  end_try_catch
%!endfunction
%!test check_input_count (1, 1)
%!test check_input_count ()
%!test check_input_count (1, 1, 1, 1)

%!error id=winscore:drawweighted:outputCount [a, b, c] = drawweighted (1, 1, 1)
%!error id=winscore:drawweighted:notRealDoubleMatrix drawweighted (single ([1 2]), 1, 1)
%!error id=winscore:drawweighted:notRealDoubleMatrix drawweighted ([1i 2], 1, 1)
%!error id=winscore:drawweighted:notRealDoubleMatrix drawweighted (ones (1, 2, 2), 1, 1)
%!error id=winscore:drawweighted:notRealDoubleMatrix drawweighted ({1}, NaN, 1)
%!error id=winscore:drawweighted:tooManySamples drawweighted ([1 2], 3, 0)
%!error id=winscore:drawweighted:tooManySamples drawweighted ([], 1, 0.7)
## Only the first output is ever assigned.
%!error <element number 2 undefined> [a, b] = drawweighted (1, 1, 1);

## Inputs with nothing to draw from, or counts that cannot be read
%!error id=winscore:drawweighted:emptyScoreVector drawweighted ([], 2, 1)
%!error <input 1 \(scoreVector\) must not be empty> drawweighted (zeros (0, 5), 2, 0)
%!error <input 1 \(scoreVector\) must be a real double array> drawweighted (sparse ([1 2]), 1, 1)
%!error id=winscore:drawweighted:negative drawweighted ([1 2], -2.5, 1)
%!error <input 2 \(numberSamples\) must be a number whose integer part fits> drawweighted ([1 2], NaN, 1)
%!error <input 2 \(numberSamples\) must be a number whose integer part fits> drawweighted ([1 2], 3e9, 1)
%!error <input 2 \(numberSamples\) must be a non-empty> drawweighted ([1 2], [], 1)
%!error <input 3 \(replacementOption\) must be a number whose integer part fits> drawweighted ([1 2], 1, NaN)
%!error <input 3 \(replacementOption\) must be a number whose integer part fits> drawweighted ([1 2], 1, -3e9)
%!error <input 3 \(replacementOption\) must be a non-empty> drawweighted ([1 2], 1, {0})

%!test
%! text = evalc ("help drawweighted");
%! assert (! isempty (strfind (text, "DRAWWEIGHTED(SCOREVECTOR, NUMBERSAMPLES, REPLACEMENTOPTION)")));
%! assert (! isempty (strfind (text, "CLEAR DRAWWEIGHTED")));
